#!/usr/bin/env bash
# Builds the program and every test a second time, with AddressSanitizer and
# UndefinedBehaviorSanitizer, into build-san/, and runs every test there.
# Any finding of either sanitizer ends its test with a failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-san -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_SANITIZE=ON "${launcher[@]}" >/dev/null
cmake --build build-san -j"$(nproc)"

# Every finding halts the test at once, leaks included (looked for when a
# test binary ends). Strict string checks stay off: the X connection library
# duplicates counted, unterminated strings (strndup), which they take for
# overflows, and the desktop scenarios run the program on a real display.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=1:detect_stack_use_after_return=0"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen
cd build-san
ctest --output-on-failure -j"$(nproc)"
