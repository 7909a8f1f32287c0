#!/usr/bin/env python3
"""Power cuts: the display changes the unit's settings (vessel ICM 11, alarm limits ICM 12, alert
identifiers ICM 13, an output channel ICM 15, calibration coefficients ICM 25, trip and total STL)
while the unit is killed (SIGKILL) at random moments, mostly while it stores what it was told,
sometimes while it starts; it is started again after each cut. After every cut each setup record
must hold its old or its new value, both in its file under ROOT/opt and in what the unit reports
when the display asks for its configuration (ICM 19); none may fall back to its defaults, and no
".corrupt" copy may appear.

  scripts/power-cuts.py [--cuts N]     (default 1000; exits 1 on the first loss)

Options: --build DIR (default build), --group NAME (default TIME), --seed N, --private-net (as
root: a network namespace of its own; without root it runs on lo). The root is kept on a loss.
"""

import argparse
import glob
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

import kc40lan

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
VESSEL, LIMITS, ALERT_IDS, CHANNEL, COEFFICIENTS = 11, 12, 13, 15, 25
REPORTED = (VESSEL, LIMITS, ALERT_IDS, CHANNEL, COEFFICIENTS)
# Output channel 1 (Nmea_2): its baud rate stays, so the line is never reopened.
CHANNEL_NUMBER = 1
STL = {"A": (12.5, 1234.5), "B": (7.25, 4321.0)}
START_TIMEOUT_S = 20


class Unit:
    """The unit's process on the board root, and what it says on its group."""

    ICM = re.compile(r"\$PNRVICM,([^*]*)\*")

    def __init__(self, program, root, address, port):
        self.program = program
        self.root = root
        self.address = (address, port)
        self.process = None
        self.sender = kc40lan.sender_socket()
        self.counter = 0
        self.heard = []
        self.lock = threading.Lock()
        self.socket = kc40lan.listener_socket(address, port)
        self.listening = True
        self.thread = threading.Thread(target=self.listen, daemon=True)
        self.thread.start()

    def listen(self):
        own = ("s:" + kc40lan.UNIT_SFI).encode()
        while self.listening:
            try:
                data = self.socket.recv(65536)
            except OSError:
                continue
            if data.startswith(kc40lan.HEADER) and own in data[:64]:
                text = data[len(kc40lan.HEADER):].split(b"\0")[0].decode("latin-1")
                with self.lock:
                    self.heard.append((time.monotonic(), text))

    def send(self, body):
        self.counter = self.counter % 999 + 1
        self.sender.sendto(kc40lan.to_unit(body, self.counter), self.address)

    def start(self):
        with open(os.path.join(self.root, "unit.out"), "ab") as out:
            self.process = subprocess.Popen([self.program, "--root", self.root, "--net-if", "lo"],
                                            stdin=subprocess.DEVNULL, stdout=out, stderr=out)

    def pids(self):
        found = set()
        if self.process and self.process.poll() is None:
            found.add(self.process.pid)
        try:
            with open(os.path.join(self.root, "var/run/kc40.pid")) as f:
                pid = int(f.read().strip() or 0)
            with open("/proc/%d/cmdline" % pid, "rb") as f:
                if self.root.encode() in f.read().split(b"\0"):
                    found.add(pid)
        except (OSError, ValueError):
            pass
        return found

    def cut(self):
        """The power goes: every copy of the unit on this root dies at once."""
        for pid in self.pids():
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        if self.process:
            self.process.wait()

    def configuration(self, timeout=START_TIMEOUT_S):
        """What the unit reports when the display asks for its configuration: the parameters
        of its latest ICM per command (ICM 15 for CHANNEL_NUMBER), or None when it does not
        answer. It is asked again until it answers: it drops what came before it was ready."""
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            asked = time.monotonic()
            self.send("PNRVICM,1,19,1")
            while time.monotonic() < asked + 1.0:
                time.sleep(0.05)
                found = self.icms_since(asked)
                if all(command in found for command in REPORTED):
                    time.sleep(0.2)
                    return self.icms_since(asked)
        return None

    def icms_since(self, moment):
        found = {}
        with self.lock:
            heard = [text for when, text in self.heard if when >= moment]
            self.heard = [(w, t) for w, t in self.heard if w >= moment - 5]
        for text in heard:
            for match in self.ICM.finditer(text):
                fields = match.group(1).split(",")
                if len(fields) < 2 or fields[0] != "1":
                    continue
                command = int(fields[1])
                params = fields[2:]
                if command == CHANNEL and params[:1] != [str(CHANNEL_NUMBER)]:
                    continue
                found[command] = params
        return found

    def close(self):
        self.cut()
        self.listening = False
        self.thread.join()


def settings(defaults):
    """Two settings, A and B, each unlike the defaults in every record, made from the defaults
    the unit reported: the sentences the display sends for each."""
    sets = {}
    for name, step in (("A", 1), ("B", 2)):
        vessel = list(defaults[VESSEL])
        vessel[0] = str(int(vessel[0]) + step)  # draft, tenths of a metre
        limits = list(defaults[LIMITS])
        limits[0] = str(1000 + 500 * step)  # STW high limit, hundredths of a knot
        ids = list(defaults[ALERT_IDS])
        ids[6] = str(int(ids[6]) + step)  # escalation, minutes
        channel = list(defaults[CHANNEL])
        # The enable flag of one sentence type: the first pair for A, the second for B.
        flag = 5 + 2 * (step - 1)
        channel[flag] = "0" if channel[flag] == "1" else "1"
        coefficients = list(defaults[COEFFICIENTS])
        coefficients[0] = str(100 * step)  # installation angle, hundredths of a degree
        trip, total = STL[name]
        sets[name] = {
            VESSEL: vessel, LIMITS: limits, ALERT_IDS: ids, CHANNEL: channel,
            COEFFICIENTS: coefficients,
        }
        sets[name]["sentences"] = [
            "PNRVICM,1,%d,%s" % (command, ",".join(sets[name][command]))
            for command in REPORTED] + ["PNRVSTL,%s,%s" % (trip, total)]
    return sets


def snapshot(root):
    """Every file the unit keeps under opt but its logs and markers, parsed where JSON."""
    files = {}
    opt = os.path.join(root, "opt")
    for path in glob.glob(os.path.join(opt, "**"), recursive=True):
        relative = os.path.relpath(path, opt)
        if not os.path.isfile(path) or relative.split(os.sep)[0] in (
                "log_files", "previously_running") or relative.endswith(".tmp"):
            continue
        with open(path, "rb") as f:
            data = f.read()
        try:
            files[relative] = json.loads(data.decode("latin-1"))
        except ValueError:
            files[relative] = data
    return files


def corrupt_copies(root):
    return glob.glob(os.path.join(root, "**/*.corrupt"), recursive=True)


class Losses(Exception):
    pass


def apply(unit, sentences, spacing_s):
    for body in sentences:
        unit.send(body)
        time.sleep(spacing_s)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--cuts", type=int, default=1000)
    parser.add_argument("--build", default=os.path.join(REPO, "build"))
    parser.add_argument("--group", default="TIME", choices=kc40lan.GROUPS)
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--private-net", action="store_true")
    args = parser.parse_args()
    if args.private_net:
        code = kc40lan.rerun_in_private_net(__file__, sys.argv[1:])
        if code is not None:
            return code
    program = os.path.join(args.build, "bin/kc40")
    if not os.access(program, os.X_OK):
        print("power-cuts: no %s; build first (scripts/test.sh)" % program, file=sys.stderr)
        return 2
    kc40lan.loopback_multicast()
    seed = args.seed if args.seed is not None else random.randrange(1 << 30)
    rng = random.Random(seed)
    root = tempfile.mkdtemp(prefix="kc40-power-cuts-")
    kc40lan.prime_root(root, REPO, args.group)
    # The unit under test stays the same while the build tree is rebuilt.
    program = shutil.copy2(program, os.path.join(root, "kc40"))
    unit = Unit(program, root, *kc40lan.group_address(args.group))
    print("power-cuts: root %s, seed %d" % (root, seed), flush=True)
    try:
        unit.start()
        defaults = unit.configuration()
        if defaults is None:
            print("power-cuts: the unit does not report its configuration", file=sys.stderr)
            return 1
        default_files = snapshot(root)
        sets = settings(defaults)
        # Learn what each setting looks like in the files and in the reports.
        seen = {}
        for name in ("A", "B"):
            apply(unit, sets[name]["sentences"], 0.05)
            time.sleep(1.5)
            reported = unit.configuration()
            for command in REPORTED:
                if reported[command] != sets[name][command]:
                    print("power-cuts: ICM %d %s not taken: sent %s, reported %s"
                          % (command, name, sets[name][command], reported[command]),
                          file=sys.stderr)
                    return 1
            seen[name] = snapshot(root)
        records = sorted(path for path in seen["A"]
                         if seen["A"][path] != seen["B"].get(path))
        for path in records:
            if default_files.get(path) in (seen["A"][path], seen["B"][path]):
                print("power-cuts: %s holds its defaults in A or B" % path, file=sys.stderr)
                return 1
        print("power-cuts: records under test: %s" % ", ".join(records), flush=True)
        # Each record's value: the one it holds for sure, and the one it may have taken since.
        held = {path: "B" for path in records}
        held_reports = {command: "B" for command in REPORTED}
        cuts = 0
        during_start = 0
        while cuts < args.cuts:
            target = rng.choice("AB")
            if rng.random() < 0.1:
                # A cut while the unit starts and loads its records.
                unit.cut()
                unit.start()
                time.sleep(rng.uniform(0.0, 0.4))
                unit.cut()
                pending = None
                during_start += 1
            else:
                sentences = list(sets[target]["sentences"])
                rng.shuffle(sentences)
                cut_at = time.monotonic() + rng.uniform(0.0, 0.25)
                timer = threading.Timer(max(0.0, cut_at - time.monotonic()), unit.cut)
                timer.start()
                apply(unit, sentences, rng.uniform(0.0, 0.03))
                timer.join()
                pending = target
            cuts += 1
            copies = corrupt_copies(root)
            now = snapshot(root)
            problems = ["corrupt copy %s" % c for c in copies]
            for path in records:
                value = now.get(path)
                allowed = {held[path], pending or held[path]}
                matches = [n for n in allowed if seen[n][path] == value]
                if not matches:
                    problems.append("%s holds neither %s: %r" % (path, "/".join(sorted(allowed)),
                                                                  value))
                else:
                    held[path] = matches[0]
            unit.start()
            reported = unit.configuration()
            if reported is None:
                problems.append("the unit did not answer after cut %d" % cuts)
            else:
                for command in REPORTED:
                    allowed = {held_reports[command], pending or held_reports[command]}
                    names = [n for n in allowed if reported[command] == sets[n][command]]
                    if not names:
                        problems.append("ICM %d reports neither %s: %s" % (
                            command, "/".join(sorted(allowed)), reported[command]))
                    else:
                        held_reports[command] = names[0]
            if problems:
                raise Losses("cut %d: %s" % (cuts, "; ".join(problems)))
            if cuts % 50 == 0:
                print("power-cuts: %d cuts, no loss" % cuts, flush=True)
        print("power-cuts: %d cuts (%d while starting), %d records checked after each: no loss, "
              "no default, no corrupt copy" % (cuts, during_start, len(records)))
    except Losses as loss:
        print("power-cuts: LOSS after %s; root kept at %s" % (loss, root))
        return 1
    finally:
        unit.close()
    shutil.rmtree(root, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
