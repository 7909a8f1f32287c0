#!/bin/sh
# Builds the libFuzzer targets with clang in build-fuzz and runs one of them.
#   scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]
#   scripts/fuzz.sh --build      builds every target and runs none
# New inputs go to build-fuzz/corpus/TARGET; the seeds in tests/fuzz/corpus/TARGET are only
# read. A crash, leak or undefined behaviour stops the run with a non-zero status and leaves
# the input in build-fuzz/artifacts/TARGET/.
set -eu
cd "$(dirname "$0")/.."
target=${1:?usage: scripts/fuzz.sh TARGET SECONDS [libFuzzer options...] | --build}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKC40_BUILD_FUZZ=ON -DKC40_BUILD_TESTS=OFF -DKC40_BUILD_BENCH=OFF >/dev/null
if [ "$target" = --build ]; then
    exec cmake --build build-fuzz -j2 --target fuzzers
fi
seconds=${2:?usage: scripts/fuzz.sh TARGET SECONDS [libFuzzer options...] | --build}
shift 2
cmake --build build-fuzz -j2 --target "$target"

work="build-fuzz/corpus/$target"
artifacts="build-fuzz/artifacts/$target/"
mkdir -p "$work" "$artifacts"
seeds="tests/fuzz/corpus/$target"
[ -d "$seeds" ] || seeds=
"build-fuzz/bin/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$artifacts" "$@" "$work" $seeds
