#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tst_packaging.sh install|deb BUILD: a staged install, or the Debian package CPack makes,
# checked with the desktop's own tools.
set -euo pipefail
mode=$1 build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
id=fr.jaskel.jaskelcd
sizes="16 22 24 32 48 64 128 256"
failures=0
fail() { echo "FAIL: $*" >&2 && failures=$((failures + 1)); }
# check [-q] WHAT COMMAND...: the command must succeed (with -q, silently); its output if not.
check() {
    local quiet=0
    [ "$1" != -q ] || { quiet=1 && shift; }
    local what=$1 && shift
    "$@" >"$work/log" 2>&1 && { [ $quiet = 0 ] || [ ! -s "$work/log" ]; } ||
        { fail "$what:" && cat "$work/log" >&2; }
}

expected_files() {
    printf '%s\n' usr/bin/jaskelcd "usr/share/applications/$id.desktop" \
        "usr/share/metainfo/$id.metainfo.xml" usr/share/mime/packages/jaskelcd.xml \
        "usr/share/icons/hicolor/scalable/apps/$id.svg" \
        usr/share/jaskelcd/captures/{jaquette,dos}.png usr/share/doc/jaskelcd/copyright
    for size in $sizes; do echo "usr/share/icons/hicolor/${size}x$size/apps/$id.png"; done
}

check_files() {
    check "files under $1 (< expected, > found)" \
        diff <(expected_files | sort) <(cd "$1" && find . -type f -printf '%P\n' | sort)
}

# The copyright file, read strictly as Debian's machine-readable format: the program under the
# GPL version 3 or later, whose text it leaves to the system's copy; every licence it names
# has its text.
check_copyright() {
    check "copyright file" /usr/bin/python3 - "$1/usr/share/doc/jaskelcd/copyright" <<'EOF'
import sys
from debian.copyright import Copyright

with open(sys.argv[1], encoding="utf-8") as file:
    header = file.readline().rstrip("\n")
    file.seek(0)
    copyright = Copyright(file, strict=True)
format = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"
assert header == format, "not the format's header: " + header
texts = {p.license.synopsis: p.license.text for p in copyright.all_license_paragraphs()}
for files in copyright.all_files_paragraphs():
    assert files.license.text or files.license.synopsis in texts, files.license.synopsis
program = copyright.find_files_paragraph("src/app/main.cpp")
assert program and program.license.synopsis == "GPL-3+", "the program is not GPL-3+"
gpl = program.license.text or texts["GPL-3+"]
for words in ("either version 3 of the License, or", "/usr/share/common-licenses/GPL-3"):
    assert words in gpl, "the GPL's text lacks: " + words
EOF
}

install_mode() {
    local root=$work/root
    local entry=$root/usr/share/applications/$id.desktop
    DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
    check_files "$root"
    # The desktop's caches are for whoever installs the files for real.
    [ ! -e "$root/usr/share/mime/mime.cache" ] || fail "a MIME cache was written into DESTDIR"
    check -q desktop-file-validate desktop-file-validate "$entry"
    check "appstreamcli validate" appstreamcli validate --no-net --pedantic \
        "$root/usr/share/metainfo/$id.metainfo.xml"
    check "appstreamcli validate-tree" appstreamcli validate-tree --no-net --pedantic "$root"
    mkdir -p "$work/mime/packages" "$work/applications"
    cp "$root/usr/share/mime/packages/jaskelcd.xml" /usr/share/mime/packages/freedesktop.org.xml \
        "$work/mime/packages/"
    XDG_DATA_DIRS=$work XDG_DATA_HOME=$work check -q update-mime-database \
        update-mime-database "$work/mime"
    cp "$entry" "$work/applications/"
    update-desktop-database "$work/applications"
    for type in cover:jkcd label:jket; do
        local mime=application/x-jaskelcd-${type%:*}
        grep -qx "50:$mime:\*\.${type#*:}" "$work/mime/globs2" || fail "no *.${type#*:} glob"
        grep -qx "$mime text/plain" "$work/mime/subclasses" || fail "$mime is not text"
        grep -qx "$mime=$id.desktop;" "$work/applications/mimeinfo.cache" ||
            fail "the entry does not open $mime"
    done
    for size in $sizes; do
        file "$root/usr/share/icons/hicolor/${size}x$size/apps/$id.png" |
            grep -q "PNG image data, $size x $size, 8-bit/color RGBA" ||
            fail "the ${size}x$size icon is not a $size-pixel RGBA PNG"
    done
    "$root/usr/bin/jaskelcd" --version | grep -qx 'Jaskel CD [0-9.]*' ||
        fail "the installed program does not start"
}

deb_mode() {
    check cpack cpack --config "$build/CPackConfig.cmake" -B "$work/cpack"
    local debs=("$work"/cpack/jaskelcd_*_*.deb)
    [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { fail "no jaskelcd_*.deb made" && return; }
    local deb=${debs[0]}
    [ "$(dpkg-deb -f "$deb" Package)" = jaskelcd ] || fail "package name"
    [ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture"
    [ "$(dpkg-deb -f "$deb" Section)" = graphics ] || fail "section"
    local depends && depends=$(dpkg-deb -f "$deb" Depends)
    # Named by hand, and found by dpkg-shlibdeps in the program's links.
    for package in fonts-liberation2 fonts-comic-neue \
        qt6-image-formats-plugins qt6-translations-l10n libqt6svg6 libqt6widgets6 \
        libqt6printsupport6 libqt6network6 libdiscid0 libwmflite-0.2-7 libjpeg62-turbo libc6; do
        grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
    done
    dpkg-deb -x "$deb" "$work/deb"
    check_files "$work/deb"
    check_copyright "$work/deb"
    file "$work/deb/usr/bin/jaskelcd" | grep -q ', stripped' || fail "the program is not stripped"
    # The triggers of shared-mime-info, desktop-file-utils and hicolor-icon-theme update the
    # caches: the package runs no script of its own.
    dpkg-deb -e "$deb" "$work/control"
    local scripts && scripts=$(ls "$work/control" | grep -Evx 'control|md5sums' || true)
    [ -z "$scripts" ] || fail "maintainer scripts in the package: $scripts"
}

case $mode in
install | deb) "${mode}_mode" ;;
*) echo "usage: $0 install|deb BUILD" >&2 && exit 2 ;;
esac
[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2 && exit 1; }
