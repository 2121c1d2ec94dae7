#!/usr/bin/env bash
# Installs what a Debian 12 machine lacks for building fwg, then configures
# and builds it into ./build. Sourced by demo.sh and test.sh.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${FWG_BUILD_DIR:-$root/build}"

packages=(cmake ninja-build g++ pkg-config ccache qt6-translations-l10n qt6-declarative-dev
          qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
          libgtest-dev libgmock-dev libbenchmark-dev
          xvfb openbox xdotool x11-utils imagemagick poppler-utils
          "$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

jobs="$(nproc 2>/dev/null || echo 2)"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$jobs"
