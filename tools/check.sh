#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs every test.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
# The tests read the PDFs they print (poppler-utils) and print through a CUPS queue of their own.
install_packages "${build_packages[@]}" poppler-utils cups-daemon cups-client cups-core-drivers
configure_and_build
cd "$build"
ctest --output-on-failure -j "$(nproc)"
