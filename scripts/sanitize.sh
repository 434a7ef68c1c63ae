#!/usr/bin/env bash
# Builds everything with the address and undefined-behaviour sanitizers into
# build-sanitize/ and runs the whole test suite there. Any memory fault, leak
# or undefined behaviour stops the test program it happens in, so it fails.
#   scripts/sanitize.sh [JOBS]     (default: all cores)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-sanitize
jobs=${1:-$(nproc)}

bash "$root/scripts/setup.sh"

sanitizers="-fsanitize=address,undefined"
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# The test programs also run while building (to list their tests), so the
# options hold for the build as well. Undefined behaviour halts the program;
# only the null-argument check goes through the runtime's handler, so that the
# suppressions can leave out a fault inside Qt's headers (and nothing else).
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1:strict_string_checks=1:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:suppressions=$root/scripts/ubsan-suppressions.txt
export LSAN_OPTIONS=suppressions=$root/scripts/lsan-suppressions.txt

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="$sanitizers -fno-sanitize-recover=undefined -fsanitize-recover=nonnull-attribute -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" >/dev/null
cmake --build "$build" --parallel "$jobs"
cd "$build"
ctest --output-on-failure --parallel "$jobs"
