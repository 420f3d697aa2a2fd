#!/usr/bin/env bash
# Builds the engine, its data set and every test, then runs all tests.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD_DIR:-build}
JOBS=${JOBS:-$(nproc)}
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD" -j "$JOBS"
ctest --test-dir "$BUILD" -j "$JOBS" --output-on-failure
