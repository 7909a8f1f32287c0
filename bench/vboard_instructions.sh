#!/bin/sh
# The unit's instructions per minute of operation on the virtual board, counted by callgrind,
# for an estimate of its share of the board's processor.
#   bench/vboard_instructions.sh [BUILD_DIR] [GROUP]      (defaults: build, NAVD)
# A first run on a fresh root starts a fresh copy of the unit; so the root is primed by one short
# run first. Then the unit runs under callgrind with the simulators around it; its counters are
# zeroed after WARMUP seconds and dumped after MEASURE more (default 60).
set -eu
cd "$(dirname "$0")/.."
BUILD=${1:-build}
GROUP=${2:-NAVD}
WARMUP=${WARMUP:-20}
MEASURE=${MEASURE:-60}
VBOARD="$BUILD/bin/vboard"
KC40="$(pwd)/$BUILD/bin/kc40"
[ -x "$VBOARD" ] && [ -x "$KC40" ] || { echo "no $VBOARD or $KC40; build first" >&2; exit 2; }

ROOT_NAME=vboard-callgrind
. bench/vboard_root.sh

"$VBOARD" --root "$root" --group "$GROUP" --plain --seconds 15 >/dev/null 2>&1

# vboard starts the program it is given with the unit's arguments.
cat >"$root/kc40-callgrind" <<EOF
#!/bin/sh
exec valgrind --tool=callgrind --callgrind-out-file="$root/callgrind.out" "$KC40" "\$@"
EOF
chmod +x "$root/kc40-callgrind"
"$VBOARD" --root "$root" --group "$GROUP" --plain --kc40 "$root/kc40-callgrind" \
    --seconds $((WARMUP + MEASURE + 10)) >/dev/null 2>&1 &
board=$!

sleep "$WARMUP"
unit=$(cat "$root/var/run/kc40.pid" 2>/dev/null || echo 0)
[ "$unit" -gt 0 ] || { echo "the unit is not running" >&2; exit 1; }
callgrind_control --zero "$unit" >/dev/null 2>&1
sleep "$MEASURE"
callgrind_control --dump "$unit" >/dev/null 2>&1
# The first dump holds what the unit executed since the counters were zeroed.
instructions=$(sed -n 's/^summary: \([0-9]*\).*/\1/p' "$root/callgrind.out.1" 2>/dev/null)
[ -n "$instructions" ] || { echo "no callgrind dump" >&2; exit 1; }
awk -v ir="$instructions" -v seconds="$MEASURE" 'BEGIN {
    printf "unit instructions (x86-64, callgrind Ir): %.0f million per minute\n", \
        ir * 60 / seconds / 1e6
}'
