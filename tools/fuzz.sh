#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer and runs each for a while, starting from its seed
# corpus, printing how many inputs it ran. Seconds per target: the first
# argument (20 by default). A finding stops the run; its input is kept under
# build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
jobs=$(nproc 2>/dev/null || echo 2)

if ! command -v clang++ >/dev/null 2>&1; then
  echo "clang++ not found: the fuzz targets are skipped"
  exit 0
fi

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVARNOK_CORE_ONLY=ON -DVARNOK_SANITIZE=ON -DVARNOK_FUZZ=ON -DBUILD_TESTING=OFF \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build-fuzz -j"$jobs"

# New inputs the run finds go to a scratch corpus, never into the tree.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Absolute paths: each target works in a scratch data folder of its own.
findings="$PWD/build-fuzz/findings"
mkdir -p "$findings"
for seeds in "$PWD"/tests/fuzz/corpus/*/; do
  reader=$(basename "$seeds")
  mkdir -p "$scratch/$reader"
  log="$scratch/$reader.log"
  # The publisher target must reach a full table: 910 records of 816 bytes.
  max_len=()
  if [ "$reader" = publisher_file ]; then
    max_len=(-max_len=$((910 * 816 + 816)))
  fi
  if ! "build-fuzz/tests/fuzz/${reader}_fuzz" "${max_len[@]}" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$findings/${reader}-" "$scratch/$reader" "$seeds" >"$log" 2>&1; then
    cat "$log"
    echo "fuzz target ${reader}: FAILED (input kept in build-fuzz/findings/)"
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz target ${reader}: ${runs} executions in ${seconds} s, no finding"
done
