#!/usr/bin/env bash
# Builds everything with ThreadSanitizer into build-tsan/ and runs the tests
# that use worker threads (batch printing and PDF jobs, picture export, mail
# attachments, barcode production from several threads, picture caches,
# library thumbnails, workbook and series reading behind the please-wait
# window), or those matching the pattern given. A data race fails
# the test it shows in.
#   scripts/tsan.sh [PATTERN] [JOBS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-tsan
pattern=${1:-'SheetPdf|SheetPainter|BatchPdf|BarcodePdfOutput|PhotoPdfOutput|VectorizedPicture|BatchPicture|CardExport|MailBatch|MailServer|MailAttachments|BarcodeProduction|Print|ShownPicture|PictureBrowser|Image_Library|TemplatesTest|SpreadsheetImportWindows|SeriesWindows|WorkbookLimits'}
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
ctest --output-on-failure --parallel "$jobs" -R "$pattern"
