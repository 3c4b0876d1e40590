#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs every test.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages "${build_packages[@]}" poppler-utils # the tests read the PDFs they print
configure_and_build
cd "$build"
ctest --output-on-failure -j "$(nproc)"
