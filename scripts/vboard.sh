#!/bin/sh
# Installs what is missing, builds the unit and runs it on a virtual board.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
exec ./build/bin/vboard "$@"
