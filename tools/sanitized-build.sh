# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by sanitize.sh and fuzz.sh: one clang build of the program, its tests and the fuzz
# targets with AddressSanitizer, UndefinedBehaviorSanitizer and libFuzzer's instrumentation,
# and the options its programs run with.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Apart from the ordinary build, so that the two never rebuild each other; JASKEL_SANITIZE_BUILD
# puts it elsewhere.
sanitize_build="${JASKEL_SANITIZE_BUILD:-$root/build-sanitize}"
sanitize_packages=(clang-14 libclang-rt-14-dev)

# The first report ends the program with a failure; leaks are reported at exit, but for those
# of the system libraries listed in lsan-suppressions.txt. Short stacks keep the runs fast.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:strict_init_order=1:malloc_context_size=20"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/tools/lsan-suppressions.txt:print_suppressions=0"

configure_and_build_sanitized() {
    if [ ! -f "$sanitize_build/CMakeCache.txt" ]; then
        # -O1 keeps the tests' speed near an ordinary build's at a fraction of -O2's build time;
        # line tables are enough for the reports' stacks. The benchmarks are left out: timing
        # an instrumented program tells nothing.
        CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$sanitize_build" \
            -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
            -DJASKEL_FUZZ=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
    fi
    cmake --build "$sanitize_build" -j "$(nproc)" "$@"
}
