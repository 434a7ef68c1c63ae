#!/usr/bin/env bash
# Builds everything with ThreadSanitizer into build-tsan/ and runs the whole
# test suite there, or the tests matching the pattern given (a CTest -R
# pattern; one that matches no test fails the run). A data race, or a lock
# misused, fails the test it shows in. Every test runs: which ones start
# threads (ours, or Qt's thread pool under the picture and text code) is not
# kept anywhere by hand, so none is missed.
#   scripts/tsan.sh [PATTERN] [JOBS]     (default: every test, all cores)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-tsan
pattern=${1:-}
jobs=${2:-$(nproc)}

# The whole suite needs the programs it checks against (Xvfb, xclip, ...).
bash "$root/scripts/setup.sh"

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# Qt's own libraries are not built with the sanitizer: the suppressions
# leave out their own memory work (not races of ours with a Qt frame), and our
# hand-offs through Qt are marked in the code (platform/ThreadHandOff.h). The
# test programs run while building (to list their tests), so the options hold
# there too.
export QT_QPA_PLATFORM=offscreen
# Tests start helper programs (QProcess forks while worker threads exist).
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:die_after_fork=0:suppressions=$root/scripts/tsan-qt.supp"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" >/dev/null
cmake --build "$build" --parallel "$jobs"
cd "$build"
ctest --output-on-failure --parallel "$jobs" --no-tests=error ${pattern:+-R "$pattern"}
