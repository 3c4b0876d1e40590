#!/usr/bin/env bash
# What the program installs for the desktop, checked the way the desktop reads it.
#   tst_packaging.sh install BUILD   an install into a staging folder: exactly the expected
#                                    files, each accepted by its validator, the file types
#                                    and the entry found by the desktop's databases
#   tst_packaging.sh deb BUILD       the Debian package CPack makes: its files, its
#                                    dependencies, nothing run at install
set -euo pipefail
mode=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
id=fr.jaskel.jaskelcd
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

expected_files() {
    printf '%s\n' usr/bin/jaskelcd \
        "usr/share/applications/$id.desktop" \
        "usr/share/metainfo/$id.metainfo.xml" \
        usr/share/mime/packages/jaskelcd.xml \
        "usr/share/icons/hicolor/scalable/apps/$id.svg" \
        usr/share/jaskelcd/captures/jaquette.png usr/share/jaskelcd/captures/dos.png
    for size in 16 22 24 32 48 64 128 256; do
        echo "usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
    done
}

# Exactly the expected files under a root, whatever else the build holds.
check_files() {
    local root=$1
    if ! diff <(expected_files | sort) <(cd "$root" && find . -type f -printf '%P\n' | sort) \
        >"$work/files.diff"; then
        fail "installed files differ from the expected list (< expected, > installed):"
        cat "$work/files.diff" >&2
    fi
}

install_mode() {
    local root="$work/root"
    DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
    check_files "$root"
    # A staged install leaves the desktop's caches to whoever installs the files for real.
    [ ! -e "$root/usr/share/mime/mime.cache" ] || fail "a MIME cache was written into DESTDIR"

    local entry="$root/usr/share/applications/$id.desktop"
    local output
    output=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate failed"
    [ -z "$output" ] || fail "desktop-file-validate: $output"
    appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/$id.metainfo.xml" \
        >"$work/appstream.log" 2>&1 || { fail "appstreamcli validate:"; cat "$work/appstream.log" >&2; }
    # The tree as a whole: the entry the metainfo launches and its icon are there.
    appstreamcli validate-tree --no-net --pedantic "$root" >"$work/tree.log" 2>&1 ||
        { fail "appstreamcli validate-tree:"; cat "$work/tree.log" >&2; }
    xmllint --noout "$root/usr/share/mime/packages/jaskelcd.xml" || fail "MIME package is not XML"

    # The MIME package compiled as a desktop compiles it, over the base types it refers to.
    mkdir -p "$work/mime/packages"
    cp "$root/usr/share/mime/packages/jaskelcd.xml" /usr/share/mime/packages/freedesktop.org.xml \
        "$work/mime/packages/"
    XDG_DATA_DIRS="$work" XDG_DATA_HOME="$work" update-mime-database "$work/mime" \
        >"$work/mime.log" 2>&1 ||
        { fail "update-mime-database:"; cat "$work/mime.log" >&2; }
    [ ! -s "$work/mime.log" ] || { fail "update-mime-database warned:"; cat "$work/mime.log" >&2; }
    grep -qx '50:application/x-jaskelcd-cover:\*\.jkcd' "$work/mime/globs2" || fail "no *.jkcd glob"
    grep -qx '50:application/x-jaskelcd-label:\*\.jket' "$work/mime/globs2" || fail "no *.jket glob"
    grep -qx 'application/x-jaskelcd-cover text/plain' "$work/mime/subclasses" ||
        fail "a cover is not text"

    # The entry opens both file types.
    mkdir -p "$work/applications"
    cp "$entry" "$work/applications/"
    update-desktop-database "$work/applications"
    for type in application/x-jaskelcd-cover application/x-jaskelcd-label; do
        grep -qx "$type=$id.desktop;" "$work/applications/mimeinfo.cache" ||
            fail "the entry does not open $type"
    done

    # Each PNG is an icon of its folder's size.
    for size in 16 22 24 32 48 64 128 256; do
        file "$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png" |
            grep -q "PNG image data, $size x $size, 8-bit/color RGBA" ||
            fail "the ${size}x${size} icon is not a $size-pixel RGBA PNG"
    done
    "$root/usr/bin/jaskelcd" --version | grep -qx 'Jaskel CD [0-9.]*' ||
        fail "the installed program does not start"
}

deb_mode() {
    cpack --config "$build/CPackConfig.cmake" -B "$work/cpack" >"$work/cpack.log" 2>&1 ||
        { fail "cpack:"; cat "$work/cpack.log" >&2; return; }
    local debs=("$work"/cpack/jaskelcd_*_*.deb)
    [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { fail "no jaskelcd_*.deb made"; return; }
    local deb=${debs[0]}
    [ "$(dpkg-deb -f "$deb" Package)" = jaskelcd ] || fail "package name"
    [ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture"
    [ "$(dpkg-deb -f "$deb" Section)" = graphics ] || fail "section"
    local depends
    depends=$(dpkg-deb -f "$deb" Depends)
    # Named by hand, and found by dpkg-shlibdeps in the program's links.
    for package in fonts-liberation2 fonts-comic-neue libwmf-bin fonts-urw-base35 \
        qt6-image-formats-plugins qt6-translations-l10n libqt6svg6 libqt6widgets6 \
        libqt6printsupport6 libqt6network6 libdiscid0 libc6; do
        grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
    done
    mkdir -p "$work/deb"
    dpkg-deb -x "$deb" "$work/deb"
    check_files "$work/deb"
    file "$work/deb/usr/bin/jaskelcd" | grep -q ', stripped' || fail "the program is not stripped"
    # Caches are the business of the triggers of shared-mime-info, desktop-file-utils and
    # hicolor-icon-theme: the package runs no script of its own.
    dpkg-deb -e "$deb" "$work/control"
    local scripts
    scripts=$(cd "$work/control" && ls | grep -Evx 'control|md5sums' || true)
    [ -z "$scripts" ] || fail "maintainer scripts in the package: $scripts"
}

case "$mode" in
install) install_mode ;;
deb) deb_mode ;;
*)
    echo "usage: $0 install|deb BUILD" >&2
    exit 2
    ;;
esac
if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all checks passed"
