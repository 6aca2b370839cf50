#!/usr/bin/env bash
# Builds every test with the address and undefined-behaviour sanitizers into build-asan/
# and runs them. Undefined behaviour halts the test that meets it; only the toolkit's
# own leaks, listed in scripts/lsan.supp, are let through.
set -euo pipefail
jobs=${JOBS:-$(nproc)}
cd "$(dirname "$0")/.."
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFERROWICK_WERROR=ON \
  -DFERROWICK_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  >/dev/null
cmake --build build-asan --parallel "$jobs"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir build-asan --output-on-failure --parallel "$jobs"
