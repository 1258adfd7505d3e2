#!/usr/bin/env bash
# Builds and runs every test: first a normal build, then the same tests built
# with AddressSanitizer and UndefinedBehaviorSanitizer; then builds the
# programs in the Release configuration and fuzzes every target briefly.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}"

jobs=$(nproc)
configure() {  # build-dir, extra cmake args...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

echo "== build and test =="
configure build
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

echo "== build and test with sanitizers =="
configure build-asan -DVOSK_SANITIZE=ON -DVOSK_BUILD_UI=OFF -DCMAKE_CXX_FLAGS="-O1 -D_GLIBCXX_ASSERTIONS"
cmake --build build-asan -j "$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
   ctest --output-on-failure -j "$jobs")

echo "== Release build of the programs, as users build them =="
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVOSK_BUILD_TESTS=OFF >/dev/null
cmake --build build-release -j "$jobs"

echo "== fuzz every target for 20 seconds =="
fuzz/run.sh 20
