#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets of fuzz/ and runs each for SECONDS (30 by default) from its seeds in
# fuzz/corpus/<target>, as many at once as there are cores. Any crash, leak, time-out,
# sanitizer report or broken rule fails the run; the input that caused it is kept in
# build-sanitize/fuzz-runs/<target>/ and the target's log printed.
#
#     bash tools/fuzz.sh [SECONDS]
#
# Seeds (and inputs that once failed) are run first, at every run; new inputs found go to a
# working corpus that is thrown away.
source "$(dirname "${BASH_SOURCE[0]}")/sanitized-build.sh"
seconds="${1:-30}"
install_packages "${build_packages[@]}" "${sanitize_packages[@]}"
configure_and_build_sanitized --target jaskel_fuzzers

results="$sanitize_build/fuzz-runs"
rm -rf "$results"
mkdir -p "$results"
targets=()
for seeds in "$root"/fuzz/corpus/*/; do
    targets+=("$(basename "$seeds")")
done

# One target: its exit status is the run's.
run_target() {
    local target="$1" out="$results/$1"
    mkdir -p "$out/found"
    # A metafile's conversion may take its program up to 5 s before the reader gives up.
    local timeout=10
    [ "$target" = picturefile ] && timeout=15
    if "$sanitize_build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout="$timeout" \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$out/" \
        "$out/found" "$root/fuzz/corpus/$target" >"$out/log" 2>&1; then
        echo "$target : $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$out/log" |
            grep -o '[0-9]*$') entrées, rien à signaler"
    else
        touch "$out/failed"
        echo "$target : ÉCHEC, journal $out/log"
        tail -n 60 "$out/log"
        return 1
    fi
}
export -f run_target
export results seconds sanitize_build root

printf '%s\n' "${targets[@]}" | xargs -P "$(nproc)" -I{} bash -c 'run_target "$@"' _ {} || true
failed=$(find "$results" -name failed | wc -l)
echo "fuzz: $((${#targets[@]} - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
