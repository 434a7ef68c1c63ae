#!/usr/bin/env bash
# Installs what is missing, builds, and starts Brightfold.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
exec "$root/build/brightfold" "$@"
