#!/usr/bin/env bash
# Takes the README's two screenshots under Xvfb: the demo's window with a
# note active and with a sketch active (its menu open), both with their
# menus, toolbars, docks and the project tree, into docs/images/.
#   bash tools/screenshots.sh [-locale de]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/setup.sh" xvfb xauth
cmake --build "$build" --target fwgtour

images="$root/docs/images"
mkdir -p "$images"
FWG_PLUGIN_PATH="$build/out/plugins:$build/out/tour" FWG_TOUR_SHOTS="$images" \
  FWG_CONFIG_DIR="$build/screenshots-config" \
  xvfb-run -a -s "-screen 0 1100x900x24" "$build/out/bin/tavrix" "$@"
echo "Saved $images/note.png, $images/sketch.png and $images/quit.png"
