#!/bin/bash
# Installs what is missing, builds the benchmark as a release build and runs it: start-up, loading
# and saving of pages of 10 to 100 elements of each kind, the pace of a page's 20 pictures when the
# server answers each after 0, 100 and 300 ms, and a summary of the figures against their targets.
# Arguments go to the benchmark (for example --benchmark_filter=BM_Load).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build-release -j2 --target quorvane_bench
QT_QPA_PLATFORM=offscreen build-release/benchmarks/quorvane_bench "$@"
