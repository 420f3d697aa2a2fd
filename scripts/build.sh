#!/usr/bin/env bash
# Builds the engine, its tools and the data set (into build/Data), then runs
# the segmenter on the bundled sample text.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD_DIR:-build}
JOBS=${JOBS:-$(nproc)}
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DKAVEL_BUILD_TESTS=OFF ${CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD" -j "$JOBS"
echo "Data set: $BUILD/Data ($(du -sh "$BUILD/Data" | cut -f1))"
if [ -x "$BUILD/src/programs/kavel_segment/kavel-segment" ]; then
  "$BUILD/src/programs/kavel_segment/kavel-segment" --data "$BUILD" samples/sample.txt
fi
