#!/usr/bin/env bash
# Builds everything with ThreadSanitizer into build-tsan/ and runs the tests
# that start worker threads, or those matching the pattern given. The tests
# that start worker threads are listed in scripts/tsan-tests.txt (batch
# printing and PDF jobs, picture export, mail, barcode production from
# several threads, picture caches, library thumbnails, design files, templates,
# workbooks and series read behind the please-wait window, ...); an entry
# that matches no test fails the run before any test runs, and so does a
# pattern that matches none. A data race fails the test it shows in.
#   scripts/tsan.sh [PATTERN] [JOBS]     (an empty PATTERN takes the list)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-tsan
pattern=${1:-}
jobs=${2:-$(nproc)}

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
if [ -z "$pattern" ]; then
  python3 "$root/scripts/tsan_tests.py" check "$root/scripts/tsan-tests.txt" "$build"
  pattern=$(python3 "$root/scripts/tsan_tests.py" pattern "$root/scripts/tsan-tests.txt")
fi
ctest --output-on-failure --parallel "$jobs" --no-tests=error -R "$pattern"
