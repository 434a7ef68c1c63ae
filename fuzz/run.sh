#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a while.
#   fuzz/run.sh [SECONDS_PER_TARGET] [JOBS]     (defaults: 300 and 3)
# Corpora grow in build-fuzz/corpus/<target>; findings land in
# build-fuzz/findings/.
set -euo pipefail
seconds=${1:-300}
jobs=${2:-3}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIGHTFOLD_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j3 --target graphic_archive_fuzzer pasteboard_fuzzer make_fuzz_seeds

seeds=$build/seeds
mkdir -p "$seeds/archive" "$build/findings"
"$build/fuzz/make_fuzz_seeds" "$seeds"
python3 "$root/tests/common/keyed_archive_tool.py" make "$seeds/archive"

run() {
  local target=$1 seedDir=$2
  local corpus=$build/corpus/$target
  mkdir -p "$corpus"
  (cd "$build/findings" && "$build/fuzz/$target" "$corpus" "$seedDir" "$seeds/archive" \
    -dict="$seeds/archive.dict" -max_total_time="$seconds" -jobs="$jobs" -workers="$jobs" \
    -max_len=65536 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1)
}
run graphic_archive_fuzzer "$seeds/archive"
run pasteboard_fuzzer "$seeds/pasteboard"
