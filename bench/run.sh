#!/usr/bin/env bash
# Builds the benchmarks in the Release configuration users get and prints one
# table with the ratios to the baselines.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" libbenchmark-dev

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVOSK_BUILD_BENCH=ON -DVOSK_BUILD_TESTS=OFF -DVOSK_BUILD_UI=OFF >/dev/null
cmake --build build-bench -j "$(nproc)"

out=$(mktemp)
for b in build-bench/bench/vosk_bench_*; do
  "$b" --benchmark_format=json --benchmark_min_time=0.5 > "$out.$(basename "$b").json" 2>/dev/null
done
python3 bench/report.py "$out".*.json
rm -f "$out" "$out".*.json
