#!/bin/sh
# Installs what is missing, builds the unit and its tests, and runs the whole test suite.
#   scripts/test.sh             the normal build in build/
#   scripts/test.sh --sanitize  the same with AddressSanitizer and UBSan in build-asan/
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

BUILD=build
FLAGS="-DCMAKE_BUILD_TYPE=RelWithDebInfo"
if [ "${1:-}" = "--sanitize" ]; then
    BUILD=build-asan
    FLAGS="-DCMAKE_BUILD_TYPE=Debug -DKC40_SANITIZE=ON -DKC40_BUILD_BENCH=OFF"
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi

# The network tests use multicast on the loopback interface, which needs its MULTICAST flag
# (settable as root); without it they are skipped with a message.
ip link set lo multicast on 2>/dev/null || true

# shellcheck disable=SC2086
cmake -S . -B "$BUILD" -G Ninja $FLAGS
cmake --build "$BUILD"
# Twice as many tests as cores: the runs of the unit spend their time waiting on its
# once-a-second cadence, not computing.
ctest --test-dir "$BUILD" --output-on-failure --timeout 300 -j "$(( $(nproc) * 2 ))"
