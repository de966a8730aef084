#!/usr/bin/env bash
# Sets up, builds and runs every test of Varnok: the whole program with its GUI
# and printing tests, then the core once more under AddressSanitizer and
# UndefinedBehaviorSanitizer, then each fuzz target for 20 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
jobs=$(nproc 2>/dev/null || echo 2)

# A CUPS server with a PDF printer as the default destination, for the printing tests.
if [ -f tools/cups-test-server.sh ]; then
  source tools/cups-test-server.sh
  trap stop_cups_test_server EXIT
  start_cups_test_server
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-sanitize -DVARNOK_CORE_ONLY=ON -DVARNOK_SANITIZE=ON \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build-sanitize -j"$jobs"
ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

bash tools/fuzz.sh 20

# The core and its tests once more, built for Windows and run under Wine.
bash tools/windows-test.sh build-windows
