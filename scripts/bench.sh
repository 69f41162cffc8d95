#!/bin/bash
# Installs what is missing, builds the benchmark and the program as a release build and runs the
# benchmark twice: on the offscreen platform, then on a virtual X display (xvfb-run), as a desktop
# draws it. Each run times start-up, loading and saving of pages of 10 to 100 elements of each
# kind, the real program from its exec to its first frame, and the pace of a page's 20 pictures
# when the server answers each after 0, 100 and 300 ms, and ends with a summary of the figures
# against their targets. Arguments go to the benchmark (for example --benchmark_filter=BM_Load).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build-release -j2 --target quorvane_bench

echo "== Offscreen"
QT_QPA_PLATFORM=offscreen build-release/benchmarks/quorvane_bench "$@"
echo "== On a virtual X display (Xvfb)"
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
    build-release/benchmarks/quorvane_bench "$@"
