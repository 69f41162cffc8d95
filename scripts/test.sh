#!/bin/bash
# Installs what is missing, builds everything and runs the whole test suite: once as built for
# use, once under AddressSanitizer and UndefinedBehaviorSanitizer, and a minute of fuzzing of the
# page loader. Exits non-zero on the first failure or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh clang libclang-rt-14-dev xdotool

echo "== Build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2

echo "== Build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_SANITIZE=ON \
    -DQUORVANE_BENCHMARKS=OFF
cmake --build build-sanitize -j2
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0"
ctest --test-dir build-sanitize --output-on-failure -j2

echo "== Fuzz the page loader for 60 seconds"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVANE_FUZZ=ON -DBUILD_TESTING=OFF
cmake --build build-fuzz -j2 --target fuzz_page_loader
mkdir -p build-fuzz/corpus
QT_QPA_PLATFORM=offscreen build-fuzz/fuzz_page_loader -max_total_time=60 -timeout=10 \
    -rss_limit_mb=2048 -malloc_limit_mb=256 -max_len=1200000 -artifact_prefix=build-fuzz/ \
    build-fuzz/corpus tests/fuzz/corpus
