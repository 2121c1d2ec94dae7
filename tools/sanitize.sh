#!/usr/bin/env bash
# Builds fwg and its tests with AddressSanitizer and UndefinedBehaviorSanitizer
# in ./build-asan and runs the whole suite through CTest on the offscreen
# platform. Any sanitizer report ends its test with a failure.
#
#   bash tools/sanitize.sh            build and run everything
#   bash tools/sanitize.sh -R Settings   pass further arguments to ctest
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-asan"
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

# -O1 with line tables: what the sanitizers need for readable reports, at
# about half the compile time of an optimised build with full debug info.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None \
  -DCMAKE_CXX_FLAGS="$flags -O1 -g1" \
  -DCMAKE_EXE_LINKER_FLAGS="$flags" \
  -DCMAKE_SHARED_LINKER_FLAGS="$flags" \
  -DCMAKE_MODULE_LINKER_FLAGS="$flags" >/dev/null
cmake --build "$build" -j "${FWG_JOBS:-2}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
# Leaks of system libraries, by name (see the file).
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$root/tools/lsan.supp:print_suppressions=0}"
ctest --test-dir "$build" --output-on-failure -j "${FWG_JOBS:-2}" "$@"
