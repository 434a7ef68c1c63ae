#!/usr/bin/env bash
# Batch PDF output side by side with a peer program, glabels-3-batch (the
# Debian package "glabels", installed here when missing), on the same
# records: cards of a name, a 600 x 600 photo, a QR Code and a Code 128 on A4
# sheets of 2 x 5 cards (bench/BatchBenchCard.h; the peer's card is written
# from the same places and sizes by batch_pdf_cards --peer-card).
#
# Both programs are timed the same way: each run is a whole process under
# /usr/bin/time, start-up, loading the card and records and writing the PDF
# included (ours is bench/batch_pdf_cards, which prints as the print
# window's "Save as PDF" does). Our runs and the peer's are interleaved, so
# both see the same machine load; the medians of wall time, CPU time, cores
# kept busy (CPU / wall), peak memory (max RSS) and PDF size are printed.
#
# Before any ratio is printed, every run's PDF is read back on sampled pages
# (the first, middle and last, and SAMPLES random ones, the same for both
# programs) by bench/batch_pdf_check: every card's QR Code and Code 128 must
# decode to its record's code at 300 dpi and every card must show its
# record's name and no other. When a run failed or a check did not pass,
# what failed is printed and no ratio, and the script exits 1.
#
#   bench/run_batch_pdf_peer.sh [BUILD_DIR]
# CARDS (default "1000 10000"), REPS (5), PEER_REPS_LARGE (2, for 10,000
# cards and more), SAMPLES (3) and SEED (1, for the random pages) change the
# runs; KEEP_WORK=1 keeps the records, cards, PDF files and check logs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
ours=$build/bench/batch_pdf_cards
check=$build/bench/batch_pdf_check
cards=${CARDS:-"1000 10000"}
reps=${REPS:-5}
peerRepsLarge=${PEER_REPS_LARGE:-2}
samples=${SAMPLES:-3}
seed=${SEED:-1}

# the peer, ImageMagick for the photo both programs print, poppler for the
# checks, and the time program
missing=()
command -v glabels-3-batch >/dev/null || missing+=(glabels)
[ -x /usr/bin/convert ] || missing+=(imagemagick)
command -v pdftoppm >/dev/null && command -v pdftotext >/dev/null || missing+=(poppler-utils)
[ -x /usr/bin/time ] || missing+=(time)
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
for program in "$ours" "$check"; do
  [ -x "$program" ] || { echo "build $program first (scripts/build.sh)"; exit 1; }
done

work=$(mktemp -d)
trap '[ -n "${KEEP_WORK:-}" ] || rm -rf "$work"' EXIT
[ -z "${KEEP_WORK:-}" ] || echo "work folder: $work"
# A photo-like picture (no flat gradient, which compresses to nothing),
# the same for both programs.
/usr/bin/convert -seed 7 -size 600x600 plasma:fractal "$work/photo.png"
# Our program's per-user resource folder, filled by its first run as at the
# application's first start; a private runtime folder for both programs.
export XDG_DATA_HOME=$work/data
[ -n "${XDG_RUNTIME_DIR:-}" ] || { mkdir -m 700 "$work/runtime" && export XDG_RUNTIME_DIR=$work/runtime; }

results=$work/results.txt
failures=$work/failures.txt
: > "$results"
: > "$failures"

# One timed run: WHO N RUN PROGRAM ARGUMENTS...; the PDF is $work/$WHO.pdf.
timed() {
  local who=$1 n=$2 r=$3
  shift 3
  rm -f "$work/$who.pdf"
  local status=0
  /usr/bin/time -f "%e %U %S %M" -o "$work/time.txt" "$@" > "$work/$who.log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    echo "$who, $n cards, run $r: exit status $status; last output:" >> "$failures"
    tail -5 "$work/$who.log" | sed 's/^/    /' >> "$failures"
  fi
  local bytes
  bytes=$(stat -c %s "$work/$who.pdf" 2>/dev/null || echo 0)
  read -r wall user sys kib < <(tail -1 "$work/time.txt")
  echo "$who $n $wall $user $sys $kib $bytes" >> "$results"
  # read back the sampled pages
  if ! "$check" "$work/records.csv" "$work/$who.pdf" $pages > "$work/check.log" 2>&1; then
    echo "$who, $n cards, run $r: the check of pages $pages failed:" >> "$failures"
    grep -v '^/' "$work/check.log" | head -20 | sed 's/^/    /' >> "$failures"
  fi
  cat "$work/check.log" >> "$work/checks-$who-$n.log"
}

for n in $cards; do
  python3 - "$n" > "$work/records.csv" <<'PY'
import sys
print("name,code")
for i in range(1, int(sys.argv[1]) + 1):
    print("Guest %06d,BF-%06d" % (i, i))
PY
  "$ours" --peer-card "$work/records.csv" "$work/photo.png" > "$work/card.glabels"
  pages=$(python3 - "$n" "$samples" "$seed" <<'PY'
import random, sys
n, samples, seed = (int(a) for a in sys.argv[1:])
last = (n + 9) // 10
pages = {1, (last + 1) // 2, last}
rest = sorted(set(range(1, last + 1)) - pages)
pages |= set(random.Random(seed * 1000003 + n).sample(rest, min(samples, len(rest))))
print(" ".join(str(p) for p in sorted(pages)))
PY
)
  echo "$n cards: checking pages $pages of every run's PDF"
  peerReps=$reps
  [ "$n" -lt 10000 ] || peerReps=$peerRepsLarge
  for ((r = 1; r <= reps; r++)); do
    timed ours "$n" "$r" "$ours" "$work/records.csv" "$work/photo.png" "$work/ours.pdf"
    if [ "$r" -le "$peerReps" ]; then
      timed peer "$n" "$r" glabels-3-batch -o "$work/peer.pdf" "$work/card.glabels"
    fi
  done
done

echo "timed: whole processes under /usr/bin/time (start-up, loading, writing the PDF); $(nproc) cores"
python3 - "$results" "$failures" <<'PY'
import statistics, sys
names = {"ours": "ours", "peer": "glabels-3-batch"}
rows = {}
for line in open(sys.argv[1]):
    who, n, wall, user, system, kib, size = line.split()
    rows.setdefault((int(n), who), []).append(
        (float(wall), float(user) + float(system), float(kib) / 1024, float(size) / 1e6))
print("| | cards | runs | wall s | CPU s | cores | peak MiB | PDF MB |")
for (n, who), runs in sorted(rows.items()):
    wall, cpu, peak, size = (statistics.median(r[i] for r in runs) for i in range(4))
    print("| %s | %s | %d | %.2f | %.2f | %.2f | %s | %s |" % (
        names[who], format(n, ","), len(runs), wall, cpu, cpu / wall if wall > 0 else 0,
        format(round(peak, 1), ",.1f"), format(round(size, 2), ",.2f")))
failed = open(sys.argv[2]).read()
if failed:
    print("\nNo ratio: not every run wrote cards that read back whole.\n" + failed, end="")
    sys.exit(1)
for n in sorted({n for n, _ in rows}):
    if (n, "ours") in rows and (n, "peer") in rows:
        ours = [statistics.median(r[i] for r in rows[(n, "ours")]) for i in range(2)]
        peer = [statistics.median(r[i] for r in rows[(n, "peer")]) for i in range(2)]
        print("%s cards: glabels-3-batch / ours: wall %.1fx, CPU %.1fx" % (
            format(n, ","), peer[0] / ours[0], peer[1] / ours[1]))
PY
