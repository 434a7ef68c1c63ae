#!/usr/bin/env bash
# Writes resources/Help.pdf, the help document, from scripts/help/Help.html
# with LibreOffice (libreoffice-writer-nogui), then checks it with poppler's
# pdfinfo and pdftotext.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A private profile, so that a running LibreOffice is not disturbed.
soffice --headless "-env:UserInstallation=file://$work/profile" \
    --convert-to "pdf:writer_web_pdf_Export" --outdir "$work" "$here/help/Help.html" >/dev/null
mv "$work/Help.pdf" "$root/resources/Help.pdf"

pdfinfo "$root/resources/Help.pdf" | grep -E '^(Title|Pages):'
pdftotext "$root/resources/Help.pdf" - | grep -q "Printing, export and mail"
