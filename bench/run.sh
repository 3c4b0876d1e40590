#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every speed and memory target, measured on this machine in one run, printed as one table:
# the headless PDF export of a full cover against gLabels' batch exporter and cdlabelgen, a
# 600-dpi picture of the recto sheet, opening and saving a cover of 1,000 texts, reading a
# CDDB record of 99 tracks, importing a catalogue record of 999 tracks, and the start to the
# first painted window under Xvfb, 200 steps of undo history on a cover of 100 texts, and a
# camera's 24-megapixel photograph as the background of three faces: the window opened on it,
# its PDF, and a text dragged over it.
# Usage: bench/run.sh [runs]   (default 7; medians, and the highest peak memory)
source "$(dirname "${BASH_SOURCE[0]}")/../tools/common.sh"
install_packages "${build_packages[@]}" libbenchmark-dev glabels cdlabelgen imagemagick time \
    xvfb xauth
if [ -f "$build/CMakeCache.txt" ]; then
    cmake "$build" >/dev/null # finds the benchmark library installed after the first build
fi
configure_and_build >/dev/null

runs="${1:-7}"
work=$(mktemp -d)
display=":$((90 + RANDOM % 100))"
trap 'rm -rf "$work"; [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null' EXIT
jaskelcd="$build/src/app/jaskelcd"
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
unset DISPLAY

# --- The full cover: artist and album on the Recto and the spines, twenty tracks on the Verso
# and on the Dos, a logo, and a photograph as the Recto's background.
convert -size 1432x715 gradient:navy-gold "$work/logo.png"
convert -size 1500x1500 plasma:fractal -blur 0x2 "$work/fond.jpg"
convert "$work/logo.png" eps2:"$work/logo.eps"
tracks=""
items=""
for n in $(seq 1 20); do
    tracks+="Track$n=Morceau numéro $n"$'\r\n'"Length$n=3:$((10 + n))"$'\r\n'
    items+="$n.  Morceau numéro $n  (3:$((10 + n)))%"
done
printf '[Core]\r\nMediaFlag=1\r\nCoverArt=%s\r\nArtist=Artiste \r\nTitle=Album\r\n[RecordData]\r\nNrSubRecords=20\r\n[SubRec]\r\n%s' \
    "$work/logo.png" "$tracks" >"$work/fiche.cfg"
"$jaskelcd" --import-record "$work/fiche.cfg" "$work/sans-fond.jkcd" 2>/dev/null
# The fourth line of a cover file names the Recto's background picture.
awk -v path="$work/fond.jpg" 'NR == 4 { printf "%s\r\n", path; next } { print }' \
    "$work/sans-fond.jkcd" >"$work/cover.jkcd"

# --- A camera's photograph, 6000 x 4000 (24 megapixels), as the background of the Recto, the
# Verso and the Dos (the fourth to sixth lines), and no logo (the seventh).
convert -size 6000x4000 plasma:fractal -quality 92 "$work/photo.jpg"
awk -v path="$work/photo.jpg" 'NR >= 4 && NR <= 6 { printf "%s\r\n", path; next }
    NR == 7 { printf "Aucun\r\n"; next } { print }' "$work/sans-fond.jkcd" >"$work/photo.jkcd"

# The same texts and pictures on gLabels' CD booklet (Avery 8435A, A4).
{
    echo '<?xml version="1.0"?>'
    echo '<Glabels-document xmlns="http://glabels.org/xmlns/3.0/">'
    echo '  <Template brand="Avery" part="8435A" size="A4" description="CD Booklet">'
    echo '    <Meta category="media"/>'
    echo '    <Label-rectangle id="0" width="155mm" height="125mm" round="0">'
    echo '      <Markup-margin size="2mm"/>'
    echo '      <Layout nx="1" ny="1" x0="27.5mm" y0="22mm" dx="155mm" dy="125mm"/>'
    echo '    </Label-rectangle>'
    echo '  </Template>'
    echo '  <Objects id="0" rotate="False">'
    echo "    <Object-image x=\"0mm\" y=\"0mm\" w=\"155mm\" h=\"125mm\" src=\"$work/fond.jpg\"/>"
    echo "    <Object-image x=\"40mm\" y=\"5mm\" w=\"110mm\" h=\"55mm\" src=\"$work/logo.png\"/>"
    for n in $(seq 1 20); do
        echo "    <Object-text x=\"5mm\" y=\"$((60 + 3 * n))mm\" w=\"100mm\" h=\"4mm\" justify=\"Left\" valign=\"Top\"><Span font_family=\"Liberation Serif\" font_size=\"8\" font_weight=\"Regular\" font_italic=\"False\" color=\"0x000000ff\" line_spacing=\"1\">$n.  Morceau numéro $n  (3:$((10 + n)))</Span></Object-text>"
    done
    echo '  </Objects>'
    echo '</Glabels-document>'
} >"$work/livret.glabels"

# Median wall time (ms) and highest peak memory (MiB) of a command over the runs.
measure() {
    local times=() peaks=() start end
    for ((i = 0; i < runs; i++)); do
        start=$(date +%s%N)
        /usr/bin/time -f '%M' -o "$work/peak" "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
        end=$(date +%s%N)
        times+=($(((end - start) / 1000000)))
        peaks+=($(tail -1 "$work/peak"))
    done
    echo "$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$((runs / 2 + 1))p")" \
        "$(($(printf '%s\n' "${peaks[@]}" | sort -n | tail -1) / 1024))"
}

read -r ours ours_peak < <(measure "$jaskelcd" --export "$work/cover.pdf" "$work/cover.jkcd")
read -r glabels glabels_peak < <(measure glabels-3-batch -o "$work/livret.pdf" "$work/livret.glabels")
read -r cdlabelgen cdlabelgen_peak < <(measure cdlabelgen -c Artiste -s Album -i "$items" \
    -e "$work/logo.eps" -o "$work/cdlabelgen.ps")
read -r png png_peak < <(measure "$jaskelcd" --export "$work/recto.png" "$work/cover.jkcd" --dpi 600)
read -r photo_pdf photo_pdf_peak < <(measure "$jaskelcd" --export "$work/photo.pdf" "$work/photo.jkcd")
photo_pdf_mb=$(awk -v bytes="$(stat -c %s "$work/photo.pdf")" 'BEGIN { printf "%.1f", bytes / 1e6 }')
# The photograph's lowest resolution on paper (the image of the most pixels), and the image
# objects of the PDF.
photo_ppi=$(pdfimages -list "$work/photo.pdf" | awk 'NR > 2 {
    n = $4 * $5; p = ($13 < $14 ? $13 : $14)
    if (n > most) { most = n; ppi = p } else if (n == most && p < ppi) ppi = p }
    END { print ppi }')
photo_objects=$(pdfimages -list "$work/photo.pdf" | awk 'NR > 2 { print $11 }' | sort -u | wc -l)
[ "$(pdfinfo "$work/livret.pdf" 2>/dev/null | sed -n 's/^Pages: *//p')" -ge 1 ] ||
    { echo "gLabels wrote no PDF" >&2; exit 1; }

# In process: Google Benchmark, in milliseconds, one benchmark a run (its CSV's columns are
# its own counters: a report whose counters the first one lacked stops the CSV reporter).
declare -A inprocess
for name in saveCover openCover readRecord importRecord historySteps dragOverPhoto; do
    inprocess[$name]=$("$build/bench/inprocess_bench" --benchmark_format=csv \
        --benchmark_filter="^$name\$" 2>/dev/null)
done
benchmark_ms() {
    echo "${inprocess[$1]}" | awk -F, -v name="\"$1\"" '$1 == name {
        t = $3; u = $5; gsub(/"/, "", u)
        printf "%.3f", (u == "us" ? t / 1000 : (u == "ns" ? t / 1e6 : t)) }'
}
# A counter of a benchmark, by its column's name.
benchmark_counter() {
    echo "${inprocess[$1]}" | awk -F, -v name="\"$1\"" -v counter="$2" '
        NR == 1 { for (i = 1; i <= NF; i++) if ($i == "\"" counter "\"") column = i }
        $1 == name { printf "%.1f", $column }'
}

# Start to first paint under Xvfb, on a display no other server holds, once its socket is there.
for n in $(seq 90 189); do
    [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 100); do
    [ -S "/tmp/.X11-unix/X${display#:}" ] && break
    sleep 0.1
done

# Median milliseconds from the start to the first painted window, and the highest peak memory
# (MiB), of the program started with "$@".
first_paint() {
    local paints=() peaks=() start painted
    for ((i = 0; i < runs; i++)); do
        start=$(date +%s%N)
        painted=$(DISPLAY="$display" QT_QPA_PLATFORM=xcb JASKELCD_REPORT_FIRST_PAINT=1 \
            /usr/bin/time -f '%M' -o "$work/peak" "$jaskelcd" "$@" 2>&1 >/dev/null |
            sed -n 's/^first-paint-epoch-ns //p')
        [ -n "$painted" ] || { echo "the window never painted" >&2; exit 1; }
        paints+=($(((painted - start) / 1000000)))
        peaks+=($(tail -1 "$work/peak"))
    done
    echo "$(printf '%s\n' "${paints[@]}" | sort -n | sed -n "$((runs / 2 + 1))p")" \
        "$(($(printf '%s\n' "${peaks[@]}" | sort -n | tail -1) / 1024))"
}
read -r paint paint_peak < <(first_paint)
read -r photo_open photo_open_peak < <(first_paint "$work/photo.jkcd")

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", (b > 0 ? a / b : 0) }'; }
row() { printf '| %-52s | %12s | %-26s |\n' "$1" "$2" "$3"; }
echo
echo "Median of $runs runs on $(nproc) cores, $(date -u +%Y-%m-%d)."
row "Measure" "Figure" "Target"
row "----------------------------------------------------" "------------" "--------------------------"
row "PDF export of a full cover (ms)" "$ours" ""
row "  peak memory (MiB)" "$ours_peak" "60 or less"
row "gLabels batch export, CD booklet (ms)" "$glabels" ""
row "  ratio ours / gLabels" "$(ratio "$ours" "$glabels")" "0.07 or less"
row "cdlabelgen, same texts and logo, PostScript (ms)" "$cdlabelgen" ""
row "  ratio ours / cdlabelgen" "$(ratio "$ours" "$cdlabelgen")" "5 or less"
row "600-dpi PNG of the recto sheet (ms)" "$png" "1000 or less"
row "  peak memory (MiB)" "$png_peak" ""
row "Open a cover of 1,000 texts (ms)" "$(benchmark_ms openCover)" "20 or less"
row "Save a cover of 1,000 texts (ms)" "$(benchmark_ms saveCover)" "20 or less"
row "Read a CDDB record of 99 tracks (ms)" "$(benchmark_ms readRecord)" "1 or less"
row "Import a catalogue record of 999 tracks (ms)" "$(benchmark_ms importRecord)" "a few"
row "Start to first painted window, Xvfb (ms)" "$paint" "200 or less"
row "200 undo steps on a cover of 100 texts (ms)" "$(benchmark_ms historySteps)" ""
row "  memory the history holds (MiB)" "$(benchmark_counter historySteps historyMiB)" ""
row "24-MP photo on three faces, window opened on it (ms)" "$photo_open" "250 or less"
row "  peak memory (MiB)" "$photo_open_peak" "120 or less"
row "  PDF export (ms)" "$photo_pdf" "300 or less"
row "  peak memory (MiB)" "$photo_pdf_peak" "150 or less"
row "  PDF size (MB)" "$photo_pdf_mb" "3 or less"
row "  photo on paper, lowest (ppi)" "$photo_ppi" "300 or more"
row "  image objects in the PDF" "$photo_objects" "1"
row "Drag a text over the photo, one repaint (ms)" "$(benchmark_ms dragOverPhoto)" "8 or less"
row "  repaints a step, photo shown (1 and 1)" \
    "$(benchmark_counter dragOverPhoto paintsPerStep) $(benchmark_counter dragOverPhoto photoShown)" "1 1"
