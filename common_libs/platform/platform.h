#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QObject;

// The one seam between the unit and its board. Every board path, serial device, network
// interface name and shell command goes through here. On the board the paths are the real
// ones; with a root folder (a virtual board on a PC) every absolute board path lives under it
// and the board's "eth0" is played by a host interface.
class Platform {
public:
    // root: empty on the board. netIf: the host interface that plays "eth0".
    static void configure(const QString& root, const QString& netIf);
    static QString root();

    // "/dev/ttyS1" -> the same path under the root.
    static QString path(const QString& boardPath);
    // The application folder: the executable's folder on the board, root + "/opt" otherwise.
    static QString appDir();
    // A file or folder name relative to the application folder.
    static QString appPath(const QString& relative);
    // "ttyS3" -> the device path of that serial line.
    static QString serialDevice(const QString& name);
    // "eth0" -> the host interface that plays it; other names stay as they are.
    static QString hostInterface(const QString& boardInterface);

    // A board network interface as the board shows it: its first IPv4 address and netmask
    // (empty when it has none) and its hardware address.
    struct InterfaceAddress {
        QString ip;
        QString mac;
        QString netmask;
    };
    // Nothing when the board has no such interface. A virtual board has "eth0" only. Its host
    // interface cannot take the addresses the unit gives the board, so the board's network
    // service is played here: once the board's network configuration file
    // ("/etc/network/interfaces" under the root) has an "eth0" block, its address, netmask and
    // hardware address are the interface's, as after a restart of the service on the board.
    static std::optional<InterfaceAddress> interfaceAddress(const QString& boardInterface);

    // The bytes a board network interface has received and sent since it came up, as the
    // kernel counts them. Nothing when the board has no such interface; a virtual board has
    // "eth0" only, and its counts are those of the host interface that plays it.
    struct InterfaceTraffic {
        quint64 received = 0;
        quint64 sent = 0;
    };
    static std::optional<InterfaceTraffic> interfaceTraffic(const QString& boardInterface);

    // Arguments that start a fresh copy of the unit on the same board.
    static QStringList relaunchArguments();
    // Starts a fresh copy of this program, detached; false when it could not be started.
    static bool relaunch();
};

// The board's sysfs GPIO pins. Exporting a pin makes its folder "/sys/class/gpio/pio" + name
// appear; on a virtual board the kernel's part is played here: the folder appears at once with
// its "direction", "edge" and "value" files, the value "0".
class GpioPins {
public:
    static QString folder(const QString& name);
    // False when the export file cannot be written.
    static bool exportPin(const QString& number, const QString& name);
};

// Runs the board's shell commands ("reboot", "/etc/init.d/S40network restart", ...).
// A virtual board has no board to act on: it records each command line, one per line, in
// the root's "board_commands" file, which tests and service engineers read.
class CommandRunner {
public:
    static void run(const QString& commandLine);
    // Runs a command whose end matters without holding up the caller's event loop: once it
    // has ended, `done` is called on the context's thread with whether it succeeded. A virtual
    // board records it and reports success.
    static void runThen(const QString& commandLine, QObject* context,
                        std::function<void(bool succeeded)> done);
    static QString recordFile();
};

// The wall clock in milliseconds since the epoch. Tests may replace the source.
class Clock {
public:
    using Source = qint64 (*)();
    static qint64 currentMSecsSinceEpoch();
    static void setSource(Source source);
};
