#!/usr/bin/env bash
# Times the headless PDF export of a full cover against gLabels' batch exporter on a CD
# booklet with the same texts and picture (target: 0.1 × its wall time or less, 60 MiB peak
# memory or less), and a 600-dpi PNG of the recto sheet (target: 1 s or less).
# Usage: bench/export.sh [runs]   (default 5)
source "$(dirname "${BASH_SOURCE[0]}")/../tools/common.sh"
install_packages "${build_packages[@]}" glabels time poppler-utils
configure_and_build >/dev/null

runs="${1:-5}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
jaskelcd="$build/src/app/jaskelcd"

# A full cover: a picture as the logo, twenty tracks on the Verso and on the Dos, the spines.
tracks=""
for n in $(seq 1 20); do tracks+="Track$n=Morceau numéro $n"$'\r\n'"Length$n=3:$((10 + n))"$'\r\n'; done
printf '[Core]\r\nMediaFlag=1\r\nArtist=Artiste \r\nTitle=Album\r\n[RecordData]\r\nNrSubRecords=20\r\n[SubRec]\r\n%s' "$tracks" > "$work/fiche.cfg"
"$jaskelcd" --import-record "$work/fiche.cfg" "$work/sans-logo.jkcd" 2>/dev/null
"$jaskelcd" --export "$work/logo.png" "$work/sans-logo.jkcd" --dpi 150 2>/dev/null
sed "s|^\[Core\]\r$|[Core]\r\nCoverArt=$work/logo.png\r|" "$work/fiche.cfg" > "$work/fiche-logo.cfg"
"$jaskelcd" --import-record "$work/fiche-logo.cfg" "$work/cover.jkcd" 2>/dev/null

# The same texts and picture on gLabels' CD booklet (Avery 8435A, A4).
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
    echo "    <Object-image x=\"40mm\" y=\"5mm\" w=\"110mm\" h=\"55mm\" src=\"$work/logo.png\"/>"
    for n in $(seq 1 20); do
        echo "    <Object-text x=\"5mm\" y=\"$((60 + 3 * n))mm\" w=\"100mm\" h=\"4mm\" justify=\"Left\" valign=\"Top\"><Span font_family=\"Liberation Serif\" font_size=\"8\" font_weight=\"Regular\" font_italic=\"False\" color=\"0x000000ff\" line_spacing=\"1\">$n.  Morceau numéro $n  (3:$((10 + n)))</Span></Object-text>"
    done
    echo '  </Objects>'
    echo '</Glabels-document>'
} > "$work/livret.glabels"

# Median wall time (s) and peak memory (KiB) of a command over the runs.
measure() {
    local times=() peaks=()
    for ((i = 0; i < runs; i++)); do
        read -r wall peak < <(/usr/bin/time -f '%e %M' "$@" 2>&1 >/dev/null | tail -1)
        times+=("$wall")
        peaks+=("$peak")
    done
    local t p
    t=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$((runs / 2 + 1))p")
    p=$(printf '%s\n' "${peaks[@]}" | sort -n | tail -1)
    echo "$t $p"
}

unset DISPLAY
read -r ours ours_peak < <(measure env QT_QPA_PLATFORM=offscreen "$jaskelcd" --export "$work/cover.pdf" "$work/cover.jkcd")
read -r theirs theirs_peak < <(measure glabels-3-batch -o "$work/livret.pdf" "$work/livret.glabels")
read -r png png_peak < <(measure env QT_QPA_PLATFORM=offscreen "$jaskelcd" --export "$work/recto.png" "$work/cover.jkcd" --dpi 600)

pages=$(pdfinfo "$work/livret.pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
[ -n "$pages" ] || { echo "gLabels wrote no PDF" >&2; exit 1; }
echo "PDF of a full cover: ${ours} s, peak $((ours_peak / 1024)) MiB"
echo "gLabels batch, CD booklet: ${theirs} s, peak $((theirs_peak / 1024)) MiB"
echo "ratio: $(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.3f", (b > 0 ? a / b : 0) }') (target 0.1 or less)"
echo "600-dpi PNG of the recto sheet: ${png} s, peak $((png_peak / 1024)) MiB (target 1 s or less)"
