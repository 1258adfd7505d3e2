#!/usr/bin/env bash
# Builds and runs every test: first the Release build users make, tests
# included, then the same tests built with AddressSanitizer and
# UndefinedBehaviorSanitizer; then fuzzes every target briefly.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}"

jobs=$(nproc)
configure() {  # build-dir, build type, extra cmake args...
  local dir=$1 type=$2; shift 2
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
}

echo "== Release build and test =="
configure build Release
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

echo "== build and test with sanitizers =="
# -O1 with line tables only: stack traces keep file and line, the build is lean.
configure build-asan RelWithDebInfo -DVOSK_SANITIZE=ON -DVOSK_BUILD_UI=OFF \
  -DCMAKE_CXX_FLAGS="-D_GLIBCXX_ASSERTIONS" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG"
cmake --build build-asan -j "$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
   ctest --output-on-failure -j "$jobs")

echo "== fuzz every target for 10 seconds =="
fuzz/run.sh 10
