#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every test of the program built with AddressSanitizer and UndefinedBehaviorSanitizer:
# a memory fault, undefined behaviour or leak in any test fails it.
source "$(dirname "${BASH_SOURCE[0]}")/sanitized-build.sh"
# What check.sh installs for the tests, and clang.
install_packages "${build_packages[@]}" "${sanitize_packages[@]}" \
    poppler-utils qpdf cups-daemon cups-client cups-core-drivers \
    desktop-file-utils appstream shared-mime-info libxml2-utils dpkg-dev file ffmpeg
configure_and_build_sanitized
cd "$sanitize_build"
ctest --output-on-failure -j "$(nproc)"
