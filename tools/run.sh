#!/usr/bin/env bash
# Sets up, builds and opens Varnok on the sample congregation (made in ./sample
# when it is missing). Only the program and the sample writer are built; the
# tests are built by tools/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

# The card window needs a desktop; say so rather than let Qt abort in English.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Varnok ha bisogno di una sessione grafica del desktop: avviarlo dal desktop," >&2
  echo "oppure, su un server, salvarne un'immagine con tools/screenshot.sh." >&2
  exit 1
fi

bash tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)" --target varnok varnok-sample

if [ ! -f sample/tdat9.bin ]; then
  mkdir -p sample
  build/tools/varnok-sample sample
fi
exec build/src/ui/varnok sample
