#!/usr/bin/env bash
# Installs what is missing, checks the layout of the changed lines, builds,
# compiles the fuzz targets with clang (not running them), and runs the whole
# test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
# the C++ lines the last commit (or merge) and the working tree touch keep the code's style
python3 "$root/scripts/check_format.py"
bash "$root/scripts/build.sh"
# a fuzz build that no longer compiles fails here (build-fuzz/; fuzz/run.sh runs the targets)
bash "$root/fuzz/build.sh"
export QT_QPA_PLATFORM=offscreen
cd "$root/build"
ctest --output-on-failure --parallel "$(nproc)"
