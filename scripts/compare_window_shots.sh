#!/usr/bin/env bash
# Compares two sets of window pictures taken by the window_shots tool, e.g.
# before and after a change:
#   build/window_shots /tmp/before   (on the old build)
#   build/window_shots /tmp/after    (on the new build)
#   scripts/compare_window_shots.sh /tmp/before /tmp/after
# Prints one line per picture with the number of pixels that differ (or why
# the pair cannot be compared) and exits with 1 when any picture differs or
# is in one set only. Needs ImageMagick's compare and identify.
set -euo pipefail
if [ $# -ne 2 ] || [ ! -d "$1" ] || [ ! -d "$2" ]; then
  echo "usage: $0 BEFORE_DIR AFTER_DIR" >&2
  exit 2
fi
before=$1
after=$2
status=0
names=$( (cd "$before" && ls -- *.png 2>/dev/null; true) ; (cd "$after" && ls -- *.png 2>/dev/null; true) )
names=$(printf '%s\n' $names | sort -u)
if [ -z "$names" ]; then
  echo "no pictures in $before or $after" >&2
  exit 2
fi
for name in $names; do
  if [ ! -f "$before/$name" ]; then
    echo "$name: only in $after"; status=1; continue
  fi
  if [ ! -f "$after/$name" ]; then
    echo "$name: only in $before"; status=1; continue
  fi
  old_size=$(identify -format '%wx%h' "$before/$name")
  new_size=$(identify -format '%wx%h' "$after/$name")
  if [ "$old_size" != "$new_size" ]; then
    echo "$name: size differs ($old_size before, $new_size after)"; status=1; continue
  fi
  # compare writes the count to standard error and exits with 1 when the
  # pictures differ.
  pixels=$(compare -metric AE "$before/$name" "$after/$name" null: 2>&1 || true)
  if [ "${pixels%% *}" = "0" ]; then
    echo "$name: same"
  else
    echo "$name: $pixels pixels differ"; status=1
  fi
done
exit $status
