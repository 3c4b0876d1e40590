#!/usr/bin/env bash
# Time from the start of the program to its first painted window, under Xvfb.
# Usage: bench/startup.sh [runs]   (default 10; the target is 0.5 s or less)
source "$(dirname "${BASH_SOURCE[0]}")/../tools/common.sh"
install_packages "${build_packages[@]}" xvfb xauth
configure_and_build >/dev/null

runs="${1:-10}"
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1

times=()
for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    painted=$(DISPLAY="$display" JASKELCD_REPORT_FIRST_PAINT=1 "$build/src/app/jaskelcd" 2>&1 >/dev/null |
              sed -n 's/^first-paint-epoch-ns //p')
    if [ -z "$painted" ]; then
        echo "the window never painted" >&2
        exit 1
    fi
    times+=($(((painted - start) / 1000000)))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "start to first paint, ${runs} runs (ms): min ${sorted[0]}, median ${sorted[$((runs / 2))]}, max ${sorted[$((runs - 1))]}"
