"""What the scripts need of the ship's network: sentences and IEC 61162-450 datagrams to the unit,
the groups' addresses, sockets on the loopback interface, and a network namespace of its own."""

import os
import shutil
import socket
import struct
import subprocess
import sys

GROUPS = ["MISC", "TGTD", "SATD", "NAVD", "VDRD", "RCOM", "TIME", "PROP"]
HEADER = b"UdPbC\0"
UNIT_SFI = "VD0101"
DISPLAY_SFI = "RV0001"


def checksum(text):
    value = 0
    for c in text.encode("latin-1"):
        value ^= c
    return "%02X" % value


def sentence(body):
    return "$%s*%s" % (body, checksum(body))


def tagged_line(text, tags):
    block = ",".join(tags)
    return "\\%s*%s\\%s\r\n" % (block, checksum(block), text)


def datagram(lines):
    return HEADER + "".join(lines).encode("latin-1")


def to_unit(body, counter):
    """One sentence from the display to the unit, given without "$" and checksum."""
    return datagram([tagged_line(sentence(body), ["s:" + DISPLAY_SFI, "d:" + UNIT_SFI,
                                                  "n:%d" % counter])])


def group_address(name):
    index = GROUPS.index(name)
    return "239.192.0.%d" % (index + 1), 60001 + index


def sender_socket():
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    s.setsockopt(socket.IPPROTO_IP, socket.IP_MULTICAST_IF, socket.inet_aton("127.0.0.1"))
    s.setsockopt(socket.IPPROTO_IP, socket.IP_MULTICAST_LOOP, 1)
    return s


def listener_socket(address, port, buffer_bytes=1 << 20):
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    try:
        s.setsockopt(socket.SOL_SOCKET, 33, buffer_bytes)  # SO_RCVBUFFORCE, as root
    except OSError:
        s.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, buffer_bytes)
    s.bind(("", port))
    membership = struct.pack("4s4s", socket.inet_aton(address), socket.inet_aton("127.0.0.1"))
    s.setsockopt(socket.IPPROTO_IP, socket.IP_ADD_MEMBERSHIP, membership)
    s.settimeout(0.2)
    return s


def loopback_multicast():
    subprocess.call(["ip", "link", "set", "lo", "multicast", "on"], stderr=subprocess.DEVNULL)


def rerun_in_private_net(script, argv):
    """Runs the script again in a network namespace of its own whose loopback carries multicast,
    so that nothing it sends reaches other programs on this machine's lo. None when no namespace
    can be had here: the caller runs on the shared lo."""
    # A container may refuse a namespace even to root.
    if (os.geteuid() != 0 or not shutil.which("unshare") or not shutil.which("ip")
            or subprocess.call(["unshare", "-n", "true"], stderr=subprocess.DEVNULL) != 0):
        print("%s: no network namespace of its own here (needs root, unshare and ip); running "
              "on the shared lo" % os.path.basename(script))
        return None
    rest = [a for a in argv if a != "--private-net"]
    inner = "ip link set lo up && ip link set lo multicast on && exec \"$@\""
    return subprocess.call(["unshare", "-n", "sh", "-c", inner, "sh", sys.executable,
                            os.path.abspath(script)] + rest)


def version(repo):
    """The unit's version, as its first-run marker names it."""
    import re
    with open(os.path.join(repo, "CMakeLists.txt")) as f:
        return re.search(r"project\(kc40 VERSION ([0-9.]+)", f.read()).group(1)


def prime_root(root, repo, group):
    """A root the unit has run on before, on the given group: it starts once and keeps its
    process (a fresh root makes it start a copy of itself and exit)."""
    os.makedirs(os.path.join(root, "opt/previously_running"), exist_ok=True)
    open(os.path.join(root, "opt/previously_running/%s.ver" % version(repo)), "w").close()
    os.makedirs(os.path.join(root, "opt/setup_files"), exist_ok=True)
    with open(os.path.join(root, "opt/setup_files/kc40_setup"), "w") as f:
        f.write('{ "group" : "%s" }' % group)
