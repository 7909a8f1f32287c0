#!/usr/bin/env python3
"""Soak run: the unit built with AddressSanitizer and UBSan on the virtual board for a while, in bad
weather: the sensor sends garbage, sentences broken off halfway and bursts of a hundred DAT,
falls silent for 30 s and has its line pulled and plugged in again; the GPS and gyro go quiet
for 10 s now and then; and for a minute the unit's group carries 10,000 malformed datagrams a
second. The unit is judged by what it sends on its group and by its process:

  - outputs (VBW) per second, fewest and most, and the largest gap between two (at most 1.1 s);
  - every malformed datagram counted in the error table: a measured batch of each fault kind
    before the flood must be counted exactly; after the flood every count stands at its cap;
  - no sanitizer report, no crash, no change of process;
  - resident memory and the sanitizer's heap once a minute; with a normal build as the unit
    (--build-asan build) the resident memory must stay flat after the first five minutes.

  scripts/soak.py --minutes 60        (default 2; exits 1 when a figure is out of bounds)

Options: --build-asan DIR (the unit, default build-asan), --build DIR (the virtual board and the
simulators, default build), --group NAME (default TIME, a group the tests leave alone),
--flood-seconds N (default 60), --private-net (as root: run in a network namespace of its own, so
the flood and the unit stay off the machine's loopback interface; without root it runs on lo).
The board's root is kept when a figure fails (its path is printed).
"""

import argparse
import glob
import json
import multiprocessing
import os
import re
import shutil
import signal
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time

import kc40lan
from kc40lan import GROUPS, HEADER, UNIT_SFI, checksum, datagram, sentence, tagged_line

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MAX_GAP_S = 1.1
FLOOD_RATE = 10000
# The error table: identities 70..78 (the last is the total of rejected sentences) and their caps.
FAULT_CAP = 99
REJECTED_CAP = 8 * FAULT_CAP
# The sensor's bad weather, scaled so that a two-minute run meets each fault at least once.
SENSOR_FAULTS = {"garbageEvery": 9, "cutEvery": 13, "burstEvery": 60,
                 "silenceEverySeconds": 110, "silenceSeconds": 30, "reopenEverySeconds": 50}
GPS_GAP_EVERY_S = 70
GPS_GAP_S = 10


# One malformed datagram of each fault kind the error table counts, by identity; n varies the
# line counter so that no two are alike.
def malformed(identity, n):
    tags = ["s:" + kc40lan.DISPLAY_SFI, "d:" + UNIT_SFI, "n:%d" % (n % 1000)]
    body = "VDMTW,%d.5,C" % (n % 30)
    if identity == 70:  # the sentence's checksum is wrong
        bad = "$%s*%02X" % (body, int(checksum(body), 16) ^ 0x5A)
        return datagram([tagged_line(bad, tags)])
    if identity == 71:  # the tag block's checksum is wrong
        block = ",".join(tags)
        return datagram(["\\%s*%02X\\%s\r\n" % (block, int(checksum(block), 16) ^ 0x33,
                                                 sentence(body))])
    if identity == 72:  # a tag the block cannot hold
        return datagram([tagged_line(sentence(body), tags + ["q%d" % n])])
    if identity == 73:  # no tag block before the sentence
        return datagram([sentence(body) + "\r\n"])
    raise ValueError(identity)


PROBE_KINDS = (70, 71, 72, 73)


def flood(address, port, seconds, sent):
    """Sends FLOOD_RATE malformed datagrams a second, in slices of a hundredth of a second."""
    s = kc40lan.sender_socket()
    kinds = PROBE_KINDS
    n = 0
    start = time.monotonic()
    while time.monotonic() - start < seconds:
        due = int((time.monotonic() - start) * FLOOD_RATE)
        while n < due:
            try:
                s.sendto(malformed(kinds[n % len(kinds)], n), (address, port))
            except OSError:
                pass
            n += 1
        time.sleep(0.01)
    sent.value = n


class Listener(threading.Thread):
    """Hears the unit on its group: when each VBW came, whether it carried a speed, and the
    error tables it answered with."""

    VBW = re.compile(rb"\$..VBW,([^,]*),")
    TABLE = re.compile(rb"\$PNRVERRORTABLE,([^*]*)\*")

    def __init__(self, address, port):
        super().__init__(daemon=True)
        self.socket = kc40lan.listener_socket(address, port, 16 << 20)
        self.vbw = []
        self.speeds = []
        self.tables = []
        self.running = True
        self.lock = threading.Lock()

    def run(self):
        own = ("s:" + UNIT_SFI).encode()
        while self.running:
            try:
                data = self.socket.recv(65536)
            except socket.timeout:
                continue
            now = time.monotonic()
            if not data.startswith(HEADER) or own not in data[:64]:
                continue
            with self.lock:
                for match in self.VBW.finditer(data):
                    self.vbw.append(now)
                    if match.group(1):
                        self.speeds.append(now)
                for match in self.TABLE.finditer(data):
                    self.tables.append((now, match.group(1).decode("latin-1").split(",")))

    def table_after(self, moment, timeout=10.0):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            with self.lock:
                for when, fields in self.tables:
                    if when > moment:
                        return {int(fields[i]): int(fields[i + 1])
                                for i in range(0, len(fields) - 1, 2) if fields[i] != "0"}
            time.sleep(0.1)
        return None


def children(pid):
    found = []
    for entry in glob.glob("/proc/[0-9]*/stat"):
        try:
            with open(entry) as f:
                fields = f.read().rsplit(")", 1)[1].split()
            if int(fields[1]) == pid:
                found.append(int(entry.split("/")[2]))
        except (OSError, IndexError, ValueError):
            pass
    return found


def command_name(pid):
    try:
        with open("/proc/%d/comm" % pid) as f:
            return f.read().strip()
    except OSError:
        return ""


def socket_drops(pid, port):
    """Datagrams the kernel dropped for want of room in the process's sockets on the port."""
    inodes = set()
    try:
        for fd in os.listdir("/proc/%d/fd" % pid):
            try:
                inodes.add(os.readlink("/proc/%d/fd/%s" % (pid, fd)))
            except OSError:
                pass
        with open("/proc/%d/net/udp" % pid) as f:
            rows = [line.split() for line in f.readlines()[1:]]
    except OSError:
        return None
    return sum(int(row[-1]) for row in rows if int(row[1].split(":")[1], 16) == port
               and "socket:[%s]" % row[9] in inodes)


# Where AddressSanitizer's allocator keeps the program's heap blocks on x86-64, the blocks held
# back after their release included; nothing of a normal build lies there.
SANITIZER_HEAP = (0x600000000000, 0x640000000000)


def heap_mb(pid):
    """The resident part of the sanitizer allocator's heap."""
    total = 0
    inside = False
    try:
        with open("/proc/%d/smaps" % pid) as f:
            for line in f:
                fields = line.split(None, 1)
                if "-" in fields[0] and not fields[0].endswith(":"):
                    start = int(fields[0].split("-")[0], 16)
                    inside = SANITIZER_HEAP[0] <= start < SANITIZER_HEAP[1]
                elif inside and fields[0] == "Rss:":
                    total += int(fields[1].split()[0])
    except (OSError, ValueError):
        return None
    return total / 1024.0


def rss_mb(pid):
    try:
        with open("/proc/%d/status" % pid) as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1]) / 1024.0
    except OSError:
        pass
    return None


def read_pid(root):
    try:
        with open(os.path.join(root, "var/run/kc40.pid")) as f:
            return int(f.read().strip() or 0)
    except (OSError, ValueError):
        return 0


def prime_root(root, group):
    """A root the unit has run on before, and the sensor's bad weather in it."""
    kc40lan.prime_root(root, REPO, group)
    with open(os.path.join(REPO, "tools/vq2sim/scenarios/cruise.json")) as f:
        scenario = json.load(f)
    scenario["faults"] = SENSOR_FAULTS
    path = os.path.join(root, "soak-scenario.json")
    with open(path, "w") as f:
        json.dump(scenario, f)
    return path


def sanitizer_reports(root):
    reports = []
    for path in sorted(glob.glob(os.path.join(root, "sanitizer.*"))):
        with open(path, errors="replace") as f:
            text = f.read()
        if text.strip():
            reports.append((path, text))
    return reports


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--minutes", type=float, default=2.0)
    parser.add_argument("--build", default=os.path.join(REPO, "build"))
    parser.add_argument("--build-asan", default=os.path.join(REPO, "build-asan"))
    parser.add_argument("--group", default="TIME", choices=GROUPS)
    parser.add_argument("--flood-seconds", type=float, default=60.0)
    parser.add_argument("--private-net", action="store_true")
    args = parser.parse_args()
    if args.private_net:
        code = kc40lan.rerun_in_private_net(__file__, sys.argv[1:])
        if code is not None:
            return code

    vboard = os.path.join(args.build, "bin/vboard")
    unit = os.path.join(args.build_asan, "bin/kc40")
    for program in (vboard, unit):
        if not os.access(program, os.X_OK):
            print("soak: no %s; build first (scripts/test.sh, scripts/test.sh --sanitize)"
                  % program, file=sys.stderr)
            return 2
    kc40lan.loopback_multicast()

    root = tempfile.mkdtemp(prefix="kc40-soak-")
    scenario = prime_root(root, args.group)
    # The programs under test stay the same while the build trees are rebuilt; the board finds
    # the simulators beside itself.
    programs = os.path.join(root, "bin")
    os.makedirs(programs)
    for tool in ("vboard", "vq2sim", "navsim"):
        shutil.copy2(os.path.join(args.build, "bin", tool), programs)
    vboard = os.path.join(programs, "vboard")
    unit = shutil.copy2(unit, os.path.join(programs, "kc40"))
    address, port = kc40lan.group_address(args.group)
    total_s = int(args.minutes * 60)
    env = dict(os.environ)
    sanitizer_log = os.path.join(root, "sanitizer")
    # The sanitizers' own cache of freed memory is kept small, so that the resident memory
    # shows the unit's appetite rather than the cache filling.
    env["ASAN_OPTIONS"] = "detect_leaks=1:quarantine_size_mb=16:log_path=" + sanitizer_log
    env["UBSAN_OPTIONS"] = "print_stacktrace=1:halt_on_error=1:log_path=" + sanitizer_log
    listener = Listener(address, port)
    listener.start()
    board = subprocess.Popen([vboard, "--root", root, "--group", args.group, "--kc40", unit,
                              "--scenario", scenario, "--no-display",
                              "--seconds", str(total_s + 20)],
                             stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                             stderr=open(os.path.join(root, "vboard.err"), "w"), env=env)
    started = time.monotonic()
    failures = []

    def stop_board():
        if board.poll() is None:
            board.send_signal(signal.SIGTERM)
            try:
                board.wait(30)
            except subprocess.TimeoutExpired:
                board.kill()
                board.wait()

    try:
        while not listener.vbw and time.monotonic() - started < 90:
            if board.poll() is not None:
                break
            time.sleep(0.2)
        if not listener.vbw:
            print("soak: the unit sent no VBW within 90 s (root %s)" % root, file=sys.stderr)
            stop_board()
            return 1
        pid = read_pid(root)
        first_vbw = listener.vbw[0]
        print("soak: unit %d first VBW %.1f s after the board started; running %d min"
              % (pid, first_vbw - started, total_s // 60), flush=True)
        sender = kc40lan.sender_socket()
        counter = [0]

        def send(body):
            counter[0] = counter[0] % 999 + 1
            sender.sendto(kc40lan.to_unit(body, counter[0]), (address, port))

        # The probe: a known number of each fault, sent gently, counted exactly.
        time.sleep(3)
        send("PNRVVMPCGTER,9")
        time.sleep(1)
        per_kind = 40
        for n in range(per_kind):
            for identity in PROBE_KINDS:
                sender.sendto(malformed(identity, n), (address, port))
            time.sleep(0.02)
        time.sleep(2)
        asked = time.monotonic()
        send("PNRVVMPCGTER,1")
        probe = listener.table_after(asked)
        expected = {identity: per_kind for identity in PROBE_KINDS}
        expected[78] = per_kind * len(PROBE_KINDS)
        print("soak: probe: %d of each of %s sent; table %s"
              % (per_kind, ",".join(map(str, PROBE_KINDS)), probe), flush=True)
        if probe != expected:
            failures.append("the error table did not count the probe exactly: %s" % probe)

        sent = multiprocessing.Value("q", 0)
        flood_start = time.monotonic()
        flooder = multiprocessing.Process(target=flood,
                                          args=(address, port, args.flood_seconds, sent))
        flooder.start()

        navsim = [c for c in children(board.pid) if command_name(c) == "navsim"]
        rss = []
        heap = []
        next_sample = first_vbw + 60
        next_gap = first_vbw + GPS_GAP_EVERY_S
        flood_checked = False
        end = started + total_s
        while time.monotonic() < end and board.poll() is None:
            now = time.monotonic()
            if now >= next_sample:
                current = read_pid(root)
                value = rss_mb(current)
                rss.append(value)
                heap.append(heap_mb(current))
                print("soak: minute %d RSS %s MB, heap %s MB"
                      % (len(rss), "%.1f" % value if value else "--",
                         "%.1f" % heap[-1] if heap[-1] is not None else "--"), flush=True)
                if current != pid or value is None:
                    failures.append("the unit's process %d is gone (now %d)" % (pid, current))
                    break
                next_sample += 60
            if now >= next_gap and navsim:
                os.kill(navsim[0], signal.SIGSTOP)
                time.sleep(GPS_GAP_S)
                os.kill(navsim[0], signal.SIGCONT)
                next_gap += GPS_GAP_EVERY_S
            if not flood_checked and not flooder.is_alive():
                flooder.join()
                time.sleep(2)
                asked = time.monotonic()
                send("PNRVVMPCGTER,1")
                after = listener.table_after(asked)
                capped = {identity: FAULT_CAP for identity in PROBE_KINDS}
                capped[78] = min(REJECTED_CAP, sent.value + expected[78])
                print("soak: flood: %d malformed datagrams in %.0f s; table %s; dropped by "
                      "the kernel before the unit read them: %s"
                      % (sent.value, time.monotonic() - flood_start - 2, after,
                         socket_drops(pid, port)), flush=True)
                if after != capped:
                    failures.append("after the flood the table is %s, not %s" % (after, capped))
                flood_checked = True
            time.sleep(0.2)
        if not flood_checked:
            failures.append("the run ended before the flood did")
        final_pid = read_pid(root)
        if board.poll() is not None or final_pid != pid or rss_mb(pid) is None:
            failures.append("the unit did not last the run (process %d, now %d)"
                            % (pid, final_pid))
        if flooder.is_alive():
            flooder.terminate()
        flooder.join()
    finally:
        stop_board()
        listener.running = False
        listener.join()

    with listener.lock:
        times = [t for t in listener.vbw if first_vbw <= t <= end]
        speeds = [t for t in listener.speeds if first_vbw <= t <= end]
    gaps = [b - a for a, b in zip(times, times[1:])]
    largest = max(gaps) if gaps else float("inf")
    # Outputs per second over ten-second windows: single seconds would split the unit's
    # once-a-second cadence at arbitrary edges.
    windows = [0] * max(1, int((end - first_vbw) // 10))
    for t in times:
        window = int((t - first_vbw) // 10)
        if window < len(windows):
            windows[window] += 1
    # A silence that lasts to the end of the run counts as well.
    no_speed = max([b - a for a, b in zip(speeds, speeds[1:] + [end])] or [float("inf")])
    print("soak: VBW on the group: %d; per second (10 s windows) min %.1f max %.1f; "
          "largest gap %.3f s" % (len(times), min(windows) / 10, max(windows) / 10, largest))
    worst = sorted(((b - a, a - first_vbw) for a, b in zip(times, times[1:])), reverse=True)[:3]
    print("soak: largest gaps: %s" % ", ".join("%.3f s at %.0f s" % w for w in worst))
    print("soak: longest stretch without a speed in VBW: %.1f s (sensor silences of %d s)"
          % (no_speed, SENSOR_FAULTS["silenceSeconds"]))
    print("soak: RSS per minute (MB): %s" % " ".join("%.1f" % v for v in rss if v))
    print("soak: heap per minute (MB): %s" % " ".join("%.1f" % v for v in heap if v))
    if largest > MAX_GAP_S:
        failures.append("largest gap between outputs %.3f s > %.1f s" % (largest, MAX_GAP_S))
    if no_speed > SENSOR_FAULTS["silenceSeconds"] + 20:
        failures.append("the sensor's speeds stayed away %.1f s" % no_speed)
    # Whether the unit grows is judged on a normal build (--build-asan build): a sanitizer
    # build holds released blocks back and keeps growing records of its own, its heap and its
    # resident memory creeping up while the normal build's stay flat; its leaks are the leak
    # checker's to report when it ends. Five-minute means, so that a breath is not a trend.
    sanitized = any(heap)
    if len(rss) >= 10 and None not in rss and not sanitized:
        early = statistics.mean(rss[4:9])
        late = statistics.mean(rss[-5:])
        if late > early * 1.05:
            failures.append("resident memory grew from %.1f MB (minutes 5 to 9) to %.1f MB "
                            "(the last five)" % (early, late))
    reports = sanitizer_reports(root)
    for path, text in reports:
        print("soak: sanitizer report %s:\n%s" % (path, text[:4000]))
        failures.append("sanitizer report %s" % os.path.basename(path))
    print("soak: sanitizer reports: %d" % len(reports))
    if failures:
        for failure in failures:
            print("soak: FAIL: " + failure)
        print("soak: board root kept at " + root)
        return 1
    shutil.rmtree(root, ignore_errors=True)
    print("soak: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
