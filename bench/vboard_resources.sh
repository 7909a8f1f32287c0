#!/bin/sh
# The unit's appetite on the virtual board: CPU time per minute of operation and peak resident
# memory, with every output sentence switched on for Nmea_1, Nmea_2 and the LAN.
#   bench/vboard_resources.sh [BUILD_DIR]        (default: build)
# Goals: under 120 ms of CPU per minute, under 16 MB resident.
# The unit gets WARMUP seconds to start, then is measured over MEASURE seconds (default 60),
# scaled to one minute. Figures are read from /proc for the running unit, whose process id the
# unit writes to ROOT/var/run/kc40.pid. The measured CPU time is the sum of the nanosecond run
# times of the unit's threads: the process's own figure counts whole clock ticks, which at about
# two milliseconds a second would blur the result by up to 10 ms per minute.
set -eu
cd "$(dirname "$0")/.."
BUILD=${1:-build}
WARMUP=${WARMUP:-10}
MEASURE=${MEASURE:-60}
VBOARD="$BUILD/bin/vboard"
[ -x "$VBOARD" ] || { echo "no $VBOARD; build first" >&2; exit 2; }

ROOT_NAME=vboard-bench
. bench/vboard_root.sh

# Channel setup: the 14 output sentences of each channel, all allowed and enabled, in the
# serializer's layout (keys in order, one line).
setup="$root/opt/setup_files"
mkdir -p "$setup"
for channel in Nmea_1 Nmea_2 LAN; do
    records=""
    for type in VBW VLW MTW VHW DPT ROT HDT DLR DLI DLG DLM DATR CUR VBWX; do
        records="$records${records:+, }{ \"allowed\" : true, \"enabled\" : true, \"msgType\" : \"$type\" }"
    done
    printf '[ %s ]' "$records" > "$setup/${channel}_channel_setup"
done
# Mark this version as run before, so the unit keeps the files and does not restart itself.
version=$(sed -n 's/^project(kc40 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
mkdir -p "$root/opt/previously_running"
: > "$root/opt/previously_running/$version.ver"

"$VBOARD" --root "$root" --plain --seconds $((WARMUP + MEASURE + 5)) > /dev/null 2>&1 &
board=$!

unit_pid() {
    cat "$root/var/run/kc40.pid" 2>/dev/null || echo 0
}
# utime + stime, in clock ticks (fields 14 and 15, counted after the command name).
cpu_ticks() {
    sed 's/.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'
}
threads() {
    ls "/proc/$1/task" | sort | tr '\n' ' '
}
# Time on the CPU of every thread, in nanoseconds.
cpu_ns() {
    cat "/proc/$1"/task/*/schedstat | awk '{ sum += $1 } END { printf "%d\n", sum }'
}

sleep "$WARMUP"
first=$(unit_pid)
[ "$first" -gt 0 ] && [ -r "/proc/$first/stat" ] || { echo "the unit is not running" >&2; exit 1; }
start_ticks=$(cpu_ticks "$first")
start_threads=$(threads "$first")
start_ns=$(cpu_ns "$first")
sleep "$MEASURE"
last=$(unit_pid)
if [ "$last" != "$first" ] || [ ! -r "/proc/$last/stat" ]; then
    echo "the unit restarted or ended while measured ($first, then $last)" >&2
    exit 1
fi
end_ns=$(cpu_ns "$last")
end_threads=$(threads "$last")
if [ "$end_threads" != "$start_threads" ]; then
    # A thread that ended took its run time with it: fall back to the process's tick count.
    echo "the unit's threads changed while measured; CPU time in whole clock ticks" >&2
    end_ticks=$(cpu_ticks "$last")
    start_ns=0
    end_ns=$(( (end_ticks - start_ticks) * 1000000000 / $(getconf CLK_TCK) ))
fi
hwm_kb=$(awk '/^VmHWM/ { print $2 }' "/proc/$last/status")
hz=$(getconf CLK_TCK)

awk -v ns=$((end_ns - start_ns)) -v hz="$hz" -v seconds="$MEASURE" -v kb="$hwm_kb" \
    -v startup="$start_ticks" -v warmup="$WARMUP" 'BEGIN {
    cpu = ns / 1000000 * 60 / seconds
    printf "unit CPU time: %.0f ms per minute (goal < 120 ms; %.0f ms in its first %d s)\n", \
        cpu, startup * 1000 / hz, warmup
    printf "unit peak resident memory (VmHWM): %.1f MB (goal < 16 MB)\n", kb / 1024
}'
