#!/usr/bin/env bash
# Starts the installed host with an example plug-in's folders and "-client
# <alias>", waits until the plug-in's New() has written its line, then ends
# the host. Fails if the host ends first, or if the line lacks the expected
# text.
# Further arguments go to the host instead of "-client <alias>" (files to
# open, say).
#   RunHello.sh <tavrix> <plug-in folders> [<alias> [<expected text> [<host arguments>...]]]
set -u
host="$1"
folders="$2"
client="${3:-hello}"
expected="${4:-}"
shift $(( $# < 4 ? $# : 4 ))
arguments=("$@")
[ ${#arguments[@]} -eq 0 ] && arguments=(-client "$client")
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
FWG_PLUGIN_PATH="$folders" "$host" "${arguments[@]}" >"$out" 2>&1 &
pid=$!
until grep -q "^$client: " "$out"; do
  if ! kill -0 "$pid" 2>/dev/null || grep -q 'Could not find client' "$out"; then
    kill "$pid" 2>/dev/null
    echo "the host did not load the plug-in:"; cat "$out"; exit 1
  fi
  sleep 0.1
done
kill "$pid"; wait "$pid" 2>/dev/null
grep "^$client: " "$out" | grep -F -- "$expected"
