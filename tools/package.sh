#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program as start.sh and check.sh do, then its Debian package from the same install
# rules: build/deb/jaskelcd_VERSION_ARCH.deb, to install with
#     apt install ./build/deb/jaskelcd_*.deb
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
build="${JASKEL_BUILD:-$build}"
# dpkg-shlibdeps (dpkg-dev) names the packages of the libraries the program links.
install_packages "${build_packages[@]}" dpkg-dev file
configure_and_build
cpack --config "$build/CPackConfig.cmake" -B "$build/deb"
ls "$build"/deb/jaskelcd_*.deb
