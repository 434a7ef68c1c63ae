#!/usr/bin/env bash
# Builds the fuzz targets with clang (fuzz/build.sh) and runs each for a while.
#   fuzz/run.sh [SECONDS_PER_TARGET] [JOBS] [TARGET]
# (defaults: 300, 3 and every target; TARGET runs only the targets whose name
# contains it)
# Corpora grow in build-fuzz/corpus/<target>; findings and logs land in
# build-fuzz/findings/<target>/.
set -euo pipefail
# An undefined-behaviour finding stops the target (the build has no recovery
# from it) and shows the stack that led to it; options already set are kept.
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}print_stacktrace=1"
seconds=${1:-300}
jobs=${2:-3}
only=${3:-}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz

bash "$root/fuzz/build.sh" "$jobs"

seeds=$build/seeds
rm -rf "$seeds"
mkdir -p "$seeds/archive"
"$build/fuzz/make_fuzz_seeds" "$seeds"
python3 "$root/tests/common/keyed_archive_tool.py" make "$seeds/archive"
cp "$root"/tests/fixtures/archive/* "$seeds/archive/"
python3 "$root/fuzz/make_preferences_seeds.py" "$seeds"
python3 "$root/fuzz/make_design_seeds.py" "$root/tests/fixtures/design" "$seeds"
python3 "$root/fuzz/make_import_seeds.py" "$root/tests/fixtures/imports" "$seeds"
# workbooks of openpyxl and of LibreOffice Calc (from the workbook test sources)
mkdir -p "$seeds/workbook_source"
/usr/bin/python3 "$root/tests/data/workbook_tool.py" make "$seeds/workbook_source"
/usr/bin/python3 "$root/tests/data/workbook_tool.py" formats "$seeds/workbook_source"
/usr/bin/python3 "$root/tests/data/workbook_tool.py" padded "$seeds/workbook_source/openpyxl_padded.xlsx" 4 3
soffice --headless "-env:UserInstallation=file://$seeds/calc_profile" --convert-to xlsx \
  --outdir "$seeds/workbook_source" "$root"/tests/fixtures/workbook/*.fods \
  "$root"/tests/fixtures/workbook/*.csv >/dev/null 2>&1 || echo "no LibreOffice seeds"
python3 "$root/fuzz/make_workbook_seeds.py" "$seeds/workbook_source" "$seeds/workbook" "$seeds/workbook.dict" \
  "$seeds/workbook_parts" "$seeds/workbook_parts.dict"
python3 "$root/fuzz/make_zip_seeds.py" "$seeds"
python3 "$root/fuzz/make_barcode_seeds.py" "$seeds"

run() {
  local target=$1 seedDir=$2 dict=$3 maxLen=${4:-16384}
  [[ $target == *"$only"* ]] || return 0
  local corpus=$build/corpus/$target findings=$build/findings/$target
  mkdir -p "$corpus" "$findings"
  (cd "$findings" && "$build/fuzz/$target" "$corpus" "$seedDir" \
    -dict="$dict" -max_total_time="$seconds" -jobs="$jobs" -workers="$jobs" \
    -max_len="$maxLen" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1) || status=1
}
status=0
run graphic_archive_fuzzer "$seeds/archive" "$seeds/archive.dict"
run pasteboard_fuzzer "$seeds/pasteboard" "$seeds/archive.dict"
run preferences_fuzzer "$seeds/preferences" "$seeds/preferences.dict"
run design_fuzzer "$seeds/design" "$seeds/design.dict"
run import_fuzzer "$seeds/import" "$seeds/import.dict"
run workbook_fuzzer "$seeds/workbook" "$seeds/workbook.dict" 4096
run workbook_parts_fuzzer "$seeds/workbook_parts" "$seeds/workbook_parts.dict" 4096
run zip_fuzzer "$seeds/zip" "$seeds/zip.dict"
run barcode_fuzzer "$seeds/barcode" "$seeds/barcode.dict" 4096
ls "$build"/findings/*/crash-* "$build"/findings/*/leak-* "$build"/findings/*/timeout-* \
  "$build"/findings/*/oom-* 2>/dev/null || true
exit $status
