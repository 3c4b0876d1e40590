#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the pictures of the window that the AppStream file shows (resources/screenshots/): a
# cover made from a catalogue record, in its two views, on a virtual X server of its own.
# Run it again when the window changes; the pictures are kept with the sources.
# Usage: packaging/screenshots.sh   (JASKEL_BUILD=folder to build elsewhere than build/)
source "$(dirname "${BASH_SOURCE[0]}")/../tools/common.sh"
build="${JASKEL_BUILD:-$build}"
install_packages "${build_packages[@]}" xvfb xauth x11-utils xdotool imagemagick
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJASKEL_WERROR=ON >/dev/null
fi
cmake --build "$build" -j "$(nproc)" --target jaskelcd >/dev/null

out="$root/resources/screenshots"
work=$(mktemp -d)
display=":$((200 + RANDOM % 100))"
xvfb=""
program=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The album: its artwork and twelve tracks, in a catalogue record.
convert -seed 7 -size 600x600 plasma:gold-darkgreen -blur 0x3 \
    \( -size 600x600 xc:none -fill '#00000060' -draw 'rectangle 0,380 600,540' \) -composite \
    -gravity north -fill white \
    -font Liberation-Serif-Bold -pointsize 58 -annotate +0+395 'Les Quatre Saisons' \
    -font Liberation-Serif-Italic -pointsize 40 -annotate +0+470 'Antonio Vivaldi' \
    "$work/saisons.jpg"
{
    printf '[Core]\r\nMediaFlag=1\r\nCoverArt=%s\r\n' "$work/saisons.jpg"
    printf 'Artist=Antonio Vivaldi - \r\nTitle=Les Quatre Saisons\r\n'
    printf '[RecordData]\r\nNrSubRecords=12\r\n[SubRec]\r\n'
    n=0
    while IFS='|' read -r title length; do
        n=$((n + 1))
        printf 'Track%d=%s\r\nLength%d=%s\r\n' "$n" "$title" "$n" "$length"
    done <<'TRACKS'
Le Printemps : Allegro|3:31
Le Printemps : Largo|2:40
Le Printemps : Allegro pastorale|4:05
L'Été : Allegro non molto|5:20
L'Été : Adagio|2:10
L'Été : Presto|2:48
L'Automne : Allegro|5:02
L'Automne : Adagio molto|2:33
L'Automne : Allegro|3:17
L'Hiver : Allegro non molto|3:29
L'Hiver : Largo|2:02
L'Hiver : Allegro|3:14
TRACKS
} >"$work/fiche.cfg"
"$build/src/app/jaskelcd" --import-record "$work/fiche.cfg" "$work/Les Quatre Saisons.jkcd"

Xvfb "$display" -screen 0 1280x960x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display" HOME="$work" XDG_CONFIG_HOME="$work/config" LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
(cd "$work" && exec "$build/src/app/jaskelcd" "$work/Les Quatre Saisons.jkcd") &
program=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --name "^Jaskel CD : " 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "La fenêtre n'est pas apparue." >&2; exit 1; }

mkdir -p "$out"
shoot() {
    sleep 1
    import -window "$window" -strip -define png:exclude-chunks=date,time "png:$out/$1"
    echo "$out/$1"
}
shoot jaquette.png
xdotool windowfocus --sync "$window"
xdotool key ctrl+d
shoot dos.png
