#!/usr/bin/env bash
# Builds every libFuzzer target with clang 16 and runs each for SECONDS
# (default 10) from its seed corpus. A crash leaves its reproducer in
# fuzz/findings/ and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" clang-16 libclang-rt-16-dev

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-16 -DVOSK_BUILD_FUZZ=ON -DVOSK_BUILD_TESTS=OFF -DVOSK_BUILD_UI=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target vosk_fuzz_all

mkdir -p fuzz/findings
status=0
for exe in build-fuzz/fuzz/fuzz_*; do
  [ -x "$exe" ] || continue
  name=$(basename "$exe")
  work=build-fuzz/corpus/$name
  mkdir -p "$work"
  seeds=fuzz/corpus/$name
  echo "== $name: ${seconds}s =="
  if ! "$exe" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 \
      -artifact_prefix=fuzz/findings/"$name"- "$work" $( [ -d "$seeds" ] && echo "$seeds" ) \
      > build-fuzz/"$name".log 2>&1; then
    echo "$name found a problem; see build-fuzz/$name.log and fuzz/findings/" >&2
    tail -30 build-fuzz/"$name".log >&2
    status=1
  fi
done
exit $status
