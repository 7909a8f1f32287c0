#!/usr/bin/env python3
"""The unit's timing on the virtual board: how long after its start the first VBW that carries
the sensor's measurement leaves on Nmea_1, counted from the sensor's first DAT as well, and how
evenly the VBW follow one another (the output period and its jitter) over a while.

  bench/vboard_timing.py [--seconds 120] [--build DIR]

The unit starts on a root it has run on before (so it does not start a copy of itself), with
the simulated sensor (cruise scenario) on its sensor line. The sensor's line passes through
this script, which notes when the first DAT reaches the unit's open line; the unit's Nmea_1
line is read here and each VBW noted as it arrives. Figures only: no goal is checked.
"""

import argparse
import os
import pty
import re
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import termios
import time
import tty

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(REPO, "scripts"))
import kc40lan  # noqa: E402

VBW = re.compile(rb"\$..VBW,([^,\r\n]*),")


def line(path, hold_slave):
    """A raw pseudo-terminal whose slave is linked at path; the master, non-blocking."""
    master, slave = pty.openpty()
    tty.setraw(slave)
    attributes = termios.tcgetattr(slave)
    attributes[4] = attributes[5] = termios.B4800
    termios.tcsetattr(slave, termios.TCSANOW, attributes)
    os.set_blocking(master, False)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    os.symlink(os.ttyname(slave), path)
    if not hold_slave:
        # Without a holder the master hangs up while the unit has the line closed.
        os.close(slave)
    return master


def unit_has_line(master):
    poller = select.poll()
    poller.register(master, select.POLLIN)
    return not any(event & select.POLLHUP for _, event in poller.poll(0))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--seconds", type=float, default=120.0)
    parser.add_argument("--build", default=os.path.join(REPO, "build"))
    args = parser.parse_args()
    program = os.path.join(args.build, "bin/kc40")
    sensor_program = os.path.join(args.build, "bin/vq2sim")
    for p in (program, sensor_program):
        if not os.access(p, os.X_OK):
            print("no %s; build first" % p, file=sys.stderr)
            return 2
    root = tempfile.mkdtemp(prefix="kc40-timing-")
    processes = []
    try:
        kc40lan.prime_root(root, REPO, "TIME")
        debug = line(os.path.join(root, "dev/ttyS0"), True)
        nmea1 = line(os.path.join(root, "dev/ttyS1"), True)
        nmea2 = line(os.path.join(root, "dev/ttyS2"), True)
        sensor_line = line(os.path.join(root, "dev/ttyS3"), False)
        sensor_link = os.path.join(root, "dev/vq2sim")
        processes.append(subprocess.Popen(
            [sensor_program, "--pty-link", sensor_link, "--scenario",
             os.path.join(REPO, "tools/vq2sim/scenarios/cruise.json")],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        deadline = time.monotonic() + 10
        while not os.path.exists(sensor_link) and time.monotonic() < deadline:
            time.sleep(0.02)
        sensor = os.open(sensor_link, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
        tty.setraw(sensor)

        started = time.monotonic()
        with open(os.path.join(root, "unit.out"), "wb") as out:
            processes.append(subprocess.Popen([program, "--root", root, "--net-if", "lo"],
                                              stdin=subprocess.DEVNULL, stdout=out, stderr=out))
        first_dat = None
        vbw = []
        first_measured = None
        pending = b""
        end = started + args.seconds
        while time.monotonic() < end:
            readable, _, _ = select.select([debug, nmea1, nmea2, sensor_line, sensor], [], [], 0.1)
            now = time.monotonic()
            for fd in readable:
                try:
                    data = os.read(fd, 65536)
                except (BlockingIOError, OSError):
                    continue
                if fd == sensor:
                    # The sensor speaks only to a line the unit holds open.
                    if unit_has_line(sensor_line):
                        if first_dat is None and b"DAT," in data:
                            first_dat = now
                        try:
                            os.write(sensor_line, data)
                        except OSError:
                            pass
                elif fd == sensor_line:
                    os.write(sensor, data)
                elif fd == nmea1:
                    pending += data
                    *lines, pending = pending.split(b"\n")
                    for text in lines:
                        match = VBW.search(text)
                        if match:
                            vbw.append(now)
                            if first_measured is None and first_dat and match.group(1):
                                first_measured = now
    finally:
        for process in reversed(processes):
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        shutil.rmtree(root, ignore_errors=True)

    if first_dat is None or first_measured is None:
        print("no sensor DAT or no VBW with a measurement in %.0f s" % args.seconds)
        return 1
    print("start to the sensor's first DAT:           %6.0f ms" % ((first_dat - started) * 1000))
    print("first DAT to the first VBW with speeds:    %6.0f ms" %
          ((first_measured - first_dat) * 1000))
    print("start to the first VBW with speeds:        %6.0f ms" %
          ((first_measured - started) * 1000))
    periods = [b - a for a, b in zip(vbw, vbw[1:]) if a >= first_measured]
    if len(periods) < 2:
        print("too few VBW for the period")
        return 1
    deviations = sorted(abs(p - 1.0) for p in periods)
    print("VBW periods over %.0f s: %d, mean %.4f s, standard deviation %.1f ms"
          % (vbw[-1] - first_measured, len(periods), statistics.mean(periods),
             statistics.stdev(periods) * 1000))
    print("  shortest %.4f s, longest %.4f s; jitter (|period - 1 s|): median %.1f ms, "
          "99th percentile %.1f ms, largest %.1f ms"
          % (min(periods), max(periods), deviations[len(deviations) // 2] * 1000,
             deviations[int(len(deviations) * 0.99)] * 1000, deviations[-1] * 1000))
    return 0


if __name__ == "__main__":
    sys.exit(main())
