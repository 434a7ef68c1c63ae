#!/usr/bin/env bash
# Installs what is missing, builds the program (not the tests or
# benchmarks), and starts Brightfold.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" brightfold
exec "$root/build/brightfold" "$@"
