#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the program needs, builds it and starts it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages "${build_packages[@]}"
configure_and_build
exec "$build/src/app/jaskelcd" "$@"
