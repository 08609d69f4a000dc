#!/usr/bin/env bash
# Sets up, builds with warnings as errors and runs every test; then builds
# again with AddressSanitizer and UBSan and runs every test once more.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
jobs="$(nproc)"

cmake -S . -B build-ci -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOVANT_WERROR=ON > /dev/null
cmake --build build-ci -j"$jobs"
ctest --test-dir build-ci --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DOVANT_WERROR=ON -DOVANT_SANITIZE=ON > /dev/null
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/support/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-asan --output-on-failure -j"$jobs"
