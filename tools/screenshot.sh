#!/usr/bin/env bash
# Builds Varnok and saves a picture of its card window, opened on the sample
# congregation (made in ./sample when it is missing), under a virtual X display.
# Usage: tools/screenshot.sh [--dark] [FILE.png] [ROW...]   (rows to tick, 0 = September)
# --dark shows it as a dark desktop scheme does (Fusion in a dark palette).
set -euo pipefail
cd "$(dirname "$0")/.."

look=()
if [ "${1:-}" = --dark ]; then
  look=(--dark)
  shift
fi
out=$(realpath -m "${1:-card-window.png}")
shift || true

bash tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)" --target varnok-sample varnok-screenshot

if [ ! -f sample/tdat9.bin ]; then
  mkdir -p sample
  build/tools/varnok-sample sample
fi
cd sample
xvfb-run -a ../build/tools/varnok-screenshot "${look[@]}" "$out" "$@"
echo "Saved $out"
