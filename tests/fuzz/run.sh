#!/usr/bin/env bash
# Builds the fuzz targets in build-fuzz (clang, libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each in turn for the given time.
#
#   tests/fuzz/run.sh 600                  every target, ten minutes each
#   tests/fuzz/run.sh 60 SettingsFuzz      one target for a minute
#   tests/fuzz/run.sh 0                    build only
#
# The corpus each target grows is kept in build-fuzz/corpus/<target>; the
# seeds in tests/fuzz/seeds/<target> start it. Crashing inputs are written to
# build-fuzz/crashes/.
set -euo pipefail

seconds=${1:?usage: run.sh <seconds> [target...]}
shift
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build-fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(FileElementFuzz SettingsFuzz PluginDescriptionFuzz PathFuzz DeclarationFuzz SchemeFuzz ScriptFileFuzz)
fi

CXX=${CXX:-clang++} cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DFWG_BUILD_FUZZ=ON -DFWG_BUILD_TESTS=OFF >/dev/null
ninja -C "$build" -j2 "${targets[@]}"
[ "$seconds" -gt 0 ] || exit 0

mkdir -p "$build/crashes"
for target in "${targets[@]}"; do
  corpus=$build/corpus/$target
  mkdir -p "$corpus"
  options=()
  # The script engine keeps what scripts made from one input to the next in
  # its own mapped heap, which LeakSanitizer does not scan: its leaks are
  # the test suite's to find (tools/sanitize.sh), where the engine goes at
  # the end.
  if [ "$target" = ScriptFileFuzz ]; then options+=(-detect_leaks=0); fi
  echo "== $target: $seconds s"
  "$build/out/bin/$target" "${options[@]}" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$build/crashes/$target-" "$corpus" "$root/tests/fuzz/seeds/$target"
done
