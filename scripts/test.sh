#!/usr/bin/env bash
# Installs what is missing, checks the layout of the changed lines, builds,
# and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
# the C++ lines the last commit (or merge) and the working tree touch keep the code's style
python3 "$root/scripts/check_format.py"
bash "$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
cd "$root/build"
ctest --output-on-failure --parallel "$(nproc)"
