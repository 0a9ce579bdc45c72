#!/usr/bin/env bash
# Builds the whole tree with clang under AddressSanitizer (with its leak
# checker) and UndefinedBehaviorSanitizer into build-sanitize/ and runs every
# test suite headless. Any report ends its program with an error, so the
# test that produced it fails. Not part of the test command or of CI.
#   bash scripts/sanitize.sh [ctest arguments, e.g. -R GrafForm]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh clang
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
CC=clang CXX=clang++ cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEMV_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" \
  -DCMAKE_SHARED_LINKER_FLAGS="$flags" -DCMAKE_MODULE_LINKER_FLAGS="$flags" >/dev/null
jobs=${JOBS:-$(nproc)}
cmake --build build-sanitize -j"$jobs"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-sanitize
ctest --output-on-failure -j"$jobs" --timeout 900 "$@"
