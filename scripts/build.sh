#!/usr/bin/env bash
# Configures and builds into build/ with warnings on; in CI (CI=true) a
# warning in our code fails the build. With target names it builds only
# those (and what they need), else everything: tests and benchmarks too.
#   scripts/build.sh [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
werror=OFF
if [ "${CI:-}" = "true" ]; then
  werror=ON
fi
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBRIGHTFOLD_WERROR="$werror" >/dev/null
targets=()
if [ $# -gt 0 ]; then
  targets=(--target "$@")
fi
cmake --build "$root/build" --parallel "$(nproc)" "${targets[@]}"
