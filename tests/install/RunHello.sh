#!/usr/bin/env bash
# Starts the installed host with the example plug-in's folder and
# "-client hello", waits until the plug-in's New() has written its line,
# then ends the host. Fails if the host ends first.
#   RunHello.sh <tavrix> <plug-in folders>
set -u
host="$1"
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
FWG_PLUGIN_PATH="$2" "$host" -client hello >"$out" 2>&1 &
pid=$!
until grep -q '^hello: ' "$out"; do
  if ! kill -0 "$pid" 2>/dev/null || grep -q 'Could not find client' "$out"; then
    kill "$pid" 2>/dev/null
    echo "the host did not load the plug-in:"; cat "$out"; exit 1
  fi
  sleep 0.1
done
kill "$pid"; wait "$pid" 2>/dev/null
grep '^hello: ' "$out"
