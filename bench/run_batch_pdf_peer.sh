#!/usr/bin/env bash
# Batch PDF output side by side with a peer program, glabels-3-batch (the
# Debian package "glabels", installed here when missing), on the same
# records: cards of a text, a 600 x 600 photo, a QR Code and a Code 128 on
# A4 sheets of 2 x 5 cards. Our runs and the peer's are interleaved in one
# run, so both see the same machine load; the medians of wall time, CPU time,
# cores used (CPU / wall), peak memory and PDF size are printed with the
# ratios.
#   bench/run_batch_pdf_peer.sh [BUILD_DIR]
# CARDS (default "1000 10000"), REPS (5) and PEER_REPS_LARGE (2, for 10,000
# cards and more) change the runs; KEEP_WORK=1 keeps the records, documents
# and PDF files for a look at them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
bench=$build/bench/batch_pdf_bench
cards=${CARDS:-"1000 10000"}
reps=${REPS:-5}
peerRepsLarge=${PEER_REPS_LARGE:-2}

# the peer, and ImageMagick for the photo both programs print
missing=()
command -v glabels-3-batch >/dev/null || missing+=(glabels)
[ -x /usr/bin/convert ] || missing+=(imagemagick)
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
[ -x "$bench" ] || { echo "build $bench first (scripts/build.sh)"; exit 1; }

work=$(mktemp -d)
trap '[ -n "${KEEP_WORK:-}" ] || rm -rf "$work"' EXIT
# A photo-like picture (no flat gradient, which compresses to nothing),
# the same for both programs.
/usr/bin/convert -seed 7 -size 600x600 plasma:fractal "$work/photo.png"
export BATCH_BENCH_PHOTO=$work/photo.png

# The peer's card: the same objects at the same places, values merged from
# a CSV file whose first line names the fields.
cat > "$work/card.glabels" <<XML
<?xml version="1.0"?>
<Glabels-document xmlns="http://glabels.org/xmlns/3.0/">
  <Template brand="Bench" part="CARD-10" size="A4" description="Cards 2 x 5">
    <Meta category="card"/>
    <Label-rectangle id="0" width="243pt" height="153pt" round="0pt" x_waste="0pt" y_waste="0pt">
      <Markup-margin size="0pt"/>
      <Layout nx="2" ny="5" x0="18pt" y0="18pt" dx="252pt" dy="162pt"/>
    </Label-rectangle>
  </Template>
  <Objects id="0" rotate="False">
    <Object-text x="8pt" y="8pt" w="130pt" h="22pt" a0="1" a1="0" a2="0" a3="1" a4="0" a5="0" justify="Left" valign="Top" auto_shrink="False">
      <Span color="0xff" font_family="Liberation Serif" font_size="12" font_weight="Regular" font_italic="False"
            line_spacing="1"><Field name="name"/></Span>
    </Object-text>
    <Object-image x="145pt" y="8pt" w="90pt" h="90pt" a0="1" a1="0" a2="0" a3="1" a4="0" a5="0" src="$work/photo.png"/>
    <Object-barcode x="8pt" y="34pt" w="70pt" h="70pt" a0="1" a1="0" a2="0" a3="1" a4="0" a5="0" style="IEC18004" backend="libqrencode" text="False"
                    checksum="False" color="0xff" field="code"/>
    <Object-barcode x="84pt" y="104pt" w="150pt" h="40pt" a0="1" a1="0" a2="0" a3="1" a4="0" a5="0" style="Code128" backend="gnu-barcode" text="True"
                    checksum="True" color="0xff" field="code"/>
  </Objects>
  <Merge type="Text/Comma/Line1Keys" src="$work/records.csv"/>
</Glabels-document>
XML

results=$work/results.txt
: > "$results"
for n in $cards; do
  { echo "name,code"; for ((i = 1; i <= n; i++)); do printf 'Guest %06d,BF-%06d\n' "$i" "$i"; done; } \
    > "$work/records.csv"
  peerReps=$reps
  [ "$n" -lt 10000 ] || peerReps=$peerRepsLarge
  for ((r = 1; r <= reps; r++)); do
    "$bench" --benchmark_filter="BM_BatchPdf/$n/" --benchmark_repetitions=1 --benchmark_format=json \
      > "$work/ours.json" 2>/dev/null
    python3 - "$work/ours.json" "$n" >> "$results" <<'PY'
import json, sys
run = json.load(open(sys.argv[1]))["benchmarks"][0]
print("ours", sys.argv[2], run["real_time"], run["cpu_s"], run["peak_MiB"], run["out_MB"])
PY
    if [ "$r" -le "$peerReps" ]; then
      rm -f "$work/peer.pdf"
      /usr/bin/time -f "%e %U %S %M" -o "$work/time.txt" glabels-3-batch -o "$work/peer.pdf" "$work/card.glabels" \
        > /dev/null 2>&1 || true
      read -r wall user sys kib < "$work/time.txt"
      pages=$(pdfinfo "$work/peer.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
      bytes=$(stat -c %s "$work/peer.pdf" 2>/dev/null || echo 0)
      if [ "${pages:-0}" -lt $(((n + 9) / 10)) ] || [ "$bytes" -lt $((n * 100)) ]; then
        echo "warning: the peer wrote ${pages:-0} pages, $bytes bytes for $n cards; its figures are not comparable" >&2
      fi
      echo "peer $n $wall $(echo "$user + $sys" | bc) $(echo "scale=1; $kib / 1024" | bc) \
$(echo "scale=2; $bytes / 1000000" | bc)" >> "$results"
    fi
  done
done

python3 - "$results" <<'PY'
import statistics, sys
rows = {}
for line in open(sys.argv[1]):
    who, n, wall, cpu, peak, size = line.split()
    rows.setdefault((int(n), who), []).append((float(wall), float(cpu), float(peak), float(size)))
print("%-6s %7s %4s %9s %9s %6s %9s %8s" % ("", "cards", "runs", "wall s", "CPU s", "cores", "peak MiB", "PDF MB"))
for (n, who), runs in sorted(rows.items()):
    med = [statistics.median(r[i] for r in runs) for i in range(4)]
    print("%-6s %7d %4d %9.2f %9.2f %6.2f %9.1f %8.2f" % (who, n, len(runs), med[0], med[1], med[1] / med[0],
                                                       med[2], med[3]))
for n in sorted({n for n, _ in rows}):
    if (n, "ours") in rows and (n, "peer") in rows:
        ours = statistics.median(r[0] for r in rows[(n, "ours")])
        peer = statistics.median(r[0] for r in rows[(n, "peer")])
        print("%d cards: peer wall / ours wall = %.1fx" % (n, peer / ours))
PY
