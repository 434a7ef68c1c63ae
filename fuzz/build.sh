#!/usr/bin/env bash
# Configures build-fuzz/ with clang and builds the fuzz targets (and the seed
# maker) there, without running them; fuzz/run.sh and the test suite's script
# (scripts/test.sh) both build through this.
#   fuzz/build.sh [JOBS]     (default: all cores)
# The compiler is clang++-14, which scripts/setup.sh installs with its
# libFuzzer and sanitizer runtime (libclang-rt-14-dev); another clang is taken
# from BRIGHTFOLD_FUZZ_CXX (e.g. clang++-16, with libclang-rt-16-dev).
# In CI (CI=true) a warning in our code fails the build, as in scripts/build.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz
jobs=${1:-$(nproc)}
cxx=${BRIGHTFOLD_FUZZ_CXX:-clang++-14}

werror=OFF
if [ "${CI:-}" = "true" ]; then
  werror=ON
fi
# The whole program is compiled once more here: with the compiler cache when
# there is one, its paths taken relative to the checkout so that another
# checkout (CI's fresh clone) finds the same entries.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
fi

# CMake drops a cache made with another compiler and, with it, the options
# given here; so such a cache goes first.
compiler=$(command -v "$cxx") || { echo "fuzz/build.sh: $cxx is missing (scripts/setup.sh installs it)" >&2; exit 1; }
if [ -f "$build/CMakeCache.txt" ] && ! grep -qx "CMAKE_CXX_COMPILER:[A-Z]*=$compiler" "$build/CMakeCache.txt"; then
  rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi

# -O1 with line tables only: what libFuzzer runs are usually built with, a
# good part quicker to compile than -O2 with full debug information, and the
# findings' stacks still name file and line. NDEBUG as in the other builds.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" -DCMAKE_CXX_COMPILER="$compiler" \
  "${launcher[@]}" -DBRIGHTFOLD_FUZZ=ON -DBRIGHTFOLD_WERROR="$werror" >/dev/null
cmake --build "$build" --parallel "$jobs" --target brightfold_fuzz_targets
