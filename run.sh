#!/usr/bin/env bash
# Builds what is missing and starts the editor. Arguments go to the editor:
#   ./run.sh [--home DIR] [FILE.qvw | FILE.dia]
# Without arguments the sample data set is opened when there is one.
set -euo pipefail
cd "$(dirname "$0")"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. Run the editor under a virtual X server instead:" >&2
  echo "  xvfb-run -a ./run.sh $*" >&2
  exit 1
fi

source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}"

if [ ! -f build/build.ninja ] || grep -q '^VOSK_BUILD_UI:BOOL=OFF' build/CMakeCache.txt; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVOSK_BUILD_UI=ON >/dev/null
fi
cmake --build build -j "$(nproc)" --target vosk

if [ $# -eq 0 ] && [ -f samples/sample.qvw ]; then
  set -- samples/sample.qvw
fi
exec build/app/editor/vosk "$@"
