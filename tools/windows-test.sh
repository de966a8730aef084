#!/usr/bin/env bash
# Cross-builds the core and its tests for 64-bit Windows with mingw-w64 and
# runs them under wine64, in a Wine prefix of their own that is removed
# afterwards. Needs no display. Usage: tools/windows-test.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DVARNOK_CORE_ONLY=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
timeout 1800 cmake --build "$build" -j"$jobs"

wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/varnok-wine-XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
cleanup() {
  WINEPREFIX=$WINEPREFIX timeout 30 "$(dirname "$wine")/wineserver" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
# The prefix is made once, before the tests start in parallel.
timeout 300 "$wine" wineboot --init >/dev/null 2>&1 || true
timeout 1200 ctest --test-dir "$build" --output-on-failure -j"$jobs" --timeout 300
