#!/bin/sh
# Installs the Debian packages that building, running and testing the unit need,
# only when one of them is missing. Runs "apt-get update" once, then one install.
#   scripts/install-deps.sh [PACKAGE...]   other packages instead; one of another architecture
#                                          (name:arch) adds that architecture to dpkg first
set -eu

PACKAGES="build-essential cmake ninja-build pkg-config
qt6-base-dev qt6-serialport-dev
libgtest-dev libgmock-dev googletest libbenchmark-dev
clang libclang-rt-14-dev llvm
python3 iproute2 procps"
if [ $# -gt 0 ]; then PACKAGES="$*"; fi

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    echo "install-deps: all packages present"
    exit 0
fi

echo "install-deps: installing$missing"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
for p in $missing; do
    case "$p" in
    *:*)
        arch=${p#*:}
        if ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
            $SUDO dpkg --add-architecture "$arch"
        fi
        ;;
    esac
done
$SUDO apt-get update
# shellcheck disable=SC2086
$SUDO apt-get install -y --no-install-recommends $missing
