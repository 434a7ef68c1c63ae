#!/bin/sh
# Writes the built-in templates (design file and preview picture of each)
# into resources/Templates with the program's own writer and renderer.
# Run from the repository root after a build:
#   scripts/make_builtin_templates.sh [build folder]
set -eu
build=${1:-build}
cmake --build "$build" --target make_builtin_templates
QT_QPA_PLATFORM=offscreen "$build/make_builtin_templates" resources/Templates
