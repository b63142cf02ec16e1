#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test twice:
# once as shipped (g++, optimised, including the end-to-end tests under Xvfb),
# once with clang under AddressSanitizer and UndefinedBehaviorSanitizer, together
# with the time-boxed fuzzers. Ends with CTest's summary of the last run.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh
jobs=$(nproc)
status=0

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" || status=1

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Sanitize \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DBRINDLEX_FUZZ=ON -DBRINDLEX_BUILD_BENCHMARKS=OFF
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs" -LE e2e || status=1

exit "$status"
