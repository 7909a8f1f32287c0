#!/bin/sh
# Builds the unit for the junction box's 32-bit ARM board (Debian armhf) in build-armhf/ and runs
# its unit tests on the PC under user-mode emulation (qemu-user).
#   scripts/cross-armhf.sh               install what is missing, build unit, board tools and
#                                        unit tests, run the tests under qemu
#   scripts/cross-armhf.sh --build-only  the same without the test run
#   scripts/cross-armhf.sh --unit-only   the unit and the board's tools only: no tests
#   scripts/cross-armhf.sh --package     afterwards the board's .deb (build-armhf/kc40_*_armhf.deb)
#   scripts/cross-armhf.sh --deps-only   install what is missing and stop
# JOBS (default: the number of cores) limits the compilers run at once; BUILD_DIR builds
# elsewhere than build-armhf.
#
# Tests left out under emulation (they run on the PC, and on the board as they are):
#   multicast on the loopback interface: qemu-user refuses IP_MULTICAST_IF (ENOPROTOOPT), so
#     these sockets cannot choose the interface they send on (the acknowledged sending, the
#     IEC 61162-450 transport, SRP and lan-listen's listener);
#   starting a board program from a test (nmea-inspect): without binfmt_misc registered for
#     qemu-arm the PC's kernel cannot start an ARM program, and registering it changes the PC.
# The runs of the whole unit on a virtual board are not built for the board at all.
set -eu
cd "$(dirname "$0")/.."

BUILD=${BUILD_DIR:-build-armhf}
build_only=0
unit_only=0
package=0
deps_only=0
for argument in "$@"; do
    case "$argument" in
    --build-only) build_only=1 ;;
    --unit-only) unit_only=1 ;;
    --package) package=1 ;;
    --deps-only) deps_only=1 ;;
    *)
        sed -n '2,9p' "$0" >&2
        exit 2
        ;;
    esac
done

# The PC's packages first: Qt's code generators (moc, rcc) are the PC's.
./scripts/install-deps.sh

ARMHF_PACKAGES="crossbuild-essential-armhf qemu-user-static
qt6-base-dev:armhf qt6-serialport-dev:armhf
libgtest-dev:armhf libgmock-dev:armhf"

# shellcheck disable=SC2086
./scripts/install-deps.sh $ARMHF_PACKAGES
[ "$deps_only" -eq 1 ] && exit 0

tests=ON
[ "$unit_only" -eq 1 ] && tests=OFF
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/armhf-toolchain.cmake \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKC40_BUILD_BENCH=OFF -DKC40_BUILD_TESTS=$tests
# Configured for the board, the build holds the unit, the service tools that go on the board
# (nmea-inspect, lan-listen) and the unit tests; the simulators and the virtual board stay on the
# PC (KC40_TEST_EQUIPMENT).
nice -n 10 cmake --build "$BUILD" -j "${JOBS:-$(nproc)}"

if [ "$package" -eq 1 ]; then
    (cd "$BUILD" && cpack -G DEB)
fi
if [ "$build_only" -eq 1 ] || [ "$tests" = OFF ]; then
    exit 0
fi

QEMU_LEFT_OUT='^(TransportTest|Srp|SendingTest)\.'
QEMU_LEFT_OUT="$QEMU_LEFT_OUT|^AcknowledgedSending\.WithoutADisplayASentenceRepeatsEverySecond$"
QEMU_LEFT_OUT="$QEMU_LEFT_OUT|^AcknowledgedSending\.APairedDisplayIsHeardAtMostFiveSeconds"
QEMU_LEFT_OUT="$QEMU_LEFT_OUT|^LanListen\.PrintsTheLinesOfDatagramsOnAGroup$"
QEMU_LEFT_OUT="$QEMU_LEFT_OUT|^NmeaInspect\.ExitsNonZeroOnlyOnUnreadableInput$"
ctest --test-dir "$BUILD" --output-on-failure --timeout 600 -j "$(nproc)" -E "$QEMU_LEFT_OUT" \
    --output-log "$BUILD/qemu-tests.log"
