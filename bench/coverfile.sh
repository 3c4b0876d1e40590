#!/usr/bin/env bash
# Opens and saves a cover with 1,000 texts (the target is 20 ms or less each).
source "$(dirname "${BASH_SOURCE[0]}")/../tools/common.sh"
install_packages "${build_packages[@]}" libbenchmark-dev
if [ -f "$build/CMakeCache.txt" ]; then
    cmake "$build" >/dev/null # finds the benchmark library installed after the first build
fi
configure_and_build >/dev/null
exec "$build/bench/coverfile_bench" "$@"
