#!/usr/bin/env bash
# Builds fwg and starts the demo host. Arguments go to the host, e.g.
#   bash tools/demo.sh -locale de
# Without a display it runs under Xvfb and saves a screenshot instead.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
extra=()
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  extra=(xvfb xauth x11-utils imagemagick)
fi
source "$here/setup.sh" "${extra[@]}"

host="$build/out/bin/tavrix"
if [ ${#extra[@]} -eq 0 ]; then
  exec "$host" "$@"
fi
shot="$build/demo.png"
echo "No display: running under Xvfb; screenshot goes to $shot"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$0" "${@:2}" & pid=$!
  for _ in $(seq 50); do xwininfo -root -tree | grep -q "Tavrix 10.0" && break; sleep 0.2; done
  sleep 1; import -window root "$1"; kill $pid' "$host" "$shot" "$@"
echo "Saved $shot"
