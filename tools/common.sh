# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by start.sh, check.sh and the benchmarks: install what is missing, then build.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"

# Installs the Debian packages that are not there yet (as root, or through sudo).
install_packages() {
    local missing=()
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return
    fi
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    echo "Installation de : ${missing[*]}" >&2
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# libwmf-dev brings libwmf's metafile player (the program links its lite library);
# libjpeg62-turbo-dev libjpeg-turbo, which decodes JPEG pictures at each output's size;
# qt6-image-formats-plugins reads the picture formats Qt's base does not (TIFF, WebP), libqt6svg6
# SVG; libsane1 brings the scanners (the program also runs without it); libdiscid reads a CD's
# table of contents; libcups says whether a printer's queue takes jobs; TagLib reads the tags of
# audio files.
build_packages=(cmake make g++ pkgconf qt6-base-dev qt6-svg-dev libqt6svg6 qt6-translations-l10n
                libdiscid-dev libwmf-dev libjpeg62-turbo-dev libcups2-dev libtag1-dev zlib1g-dev
                qt6-image-formats-plugins libsane1
                fonts-liberation2 fonts-comic-neue)

# One build for the program and the tests, warnings treated as errors (the supported
# compiler is Debian 12's), so that running one command after the other rebuilds nothing.
configure_and_build() {
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJASKEL_WERROR=ON
    fi
    cmake --build "$build" -j "$(nproc)"
}
