#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the tests need, builds everything and runs every test.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
# The tests read the PDFs they print (poppler-utils rasterises them, qpdf checks them and reads
# their catalog) and print through a CUPS queue of their own.
# The desktop files are checked with the desktop's own tools, and the Debian package is built
# (dpkg-dev and file for dpkg-shlibdeps) and its copyright file read (python3-debian). The audio
# files whose tags are read are encoded by ffmpeg (every format read, in one package).
install_packages "${build_packages[@]}" poppler-utils qpdf cups-daemon cups-client cups-core-drivers \
    desktop-file-utils appstream shared-mime-info libxml2-utils dpkg-dev file python3-debian \
    ffmpeg
configure_and_build
cd "$build"
ctest --output-on-failure -j "$(nproc)"
# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer, then a short pass
# of every fuzz target over that build.
bash "$root/tools/sanitize.sh"
bash "$root/tools/fuzz.sh" 15
