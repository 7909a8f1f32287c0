#include "platform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QNetworkInterface>
#include <QProcess>

#include <atomic>

namespace {
QString g_root;
QString g_netIf = QStringLiteral("eth0");
std::atomic<Clock::Source> g_clock{nullptr};
} // namespace

void Platform::configure(const QString& root, const QString& netIf) {
    g_root = root.isEmpty() ? QString() : QDir(root).absolutePath();
    g_netIf = netIf.isEmpty() ? QStringLiteral("eth0") : netIf;
}

QString Platform::root() {
    return g_root;
}

QString Platform::path(const QString& boardPath) {
    if (g_root.isEmpty()) {
        return boardPath;
    }
    return boardPath.startsWith(QLatin1Char('/')) ? g_root + boardPath
                                                  : g_root + QLatin1Char('/') + boardPath;
}

QString Platform::appDir() {
    return g_root.isEmpty() ? QCoreApplication::applicationDirPath()
                            : g_root + QStringLiteral("/opt");
}

QString Platform::appPath(const QString& relative) {
    const QString dir = appDir();
    return relative.startsWith(QLatin1Char('/')) ? dir + relative
                                                 : dir + QLatin1Char('/') + relative;
}

QString Platform::serialDevice(const QString& name) {
    return path(QStringLiteral("/dev/") + name);
}

QString Platform::hostInterface(const QString& boardInterface) {
    return boardInterface == QLatin1String("eth0") ? g_netIf : boardInterface;
}

namespace {
// The settings of one interface's block in a board network configuration file: the words
// after "address", "netmask" and "hwaddress ether" between its "iface" line and the next
// block. Nothing when the file has no block for the interface.
std::optional<Platform::InterfaceAddress> configuredAddress(const QString& boardInterface) {
    QFile file(Platform::path(QStringLiteral("/etc/network/interfaces")));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    std::optional<Platform::InterfaceAddress> found;
    bool inBlock = false;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QList<QByteArray> words = raw.simplified().split(' ');
        const QByteArray& key = words.first();
        if (key == "auto" || key == "iface") {
            inBlock = key == "iface" && words.size() > 1 && words[1] == boardInterface.toLatin1();
            if (inBlock && !found) {
                found = Platform::InterfaceAddress{};
            }
        } else if (inBlock && words.size() >= 2) {
            const QString value = QString::fromLatin1(words.last());
            if (key == "address") {
                found->ip = value;
            } else if (key == "netmask") {
                found->netmask = value;
            } else if (key == "hwaddress") {
                found->mac = value;
            }
        }
    }
    return found;
}
} // namespace

std::optional<Platform::InterfaceAddress>
Platform::interfaceAddress(const QString& boardInterface) {
    if (!g_root.isEmpty()) {
        if (boardInterface != QLatin1String("eth0")) {
            return std::nullopt;
        }
        if (std::optional<InterfaceAddress> configured = configuredAddress(boardInterface)) {
            return configured;
        }
    }
    const QNetworkInterface found =
        QNetworkInterface::interfaceFromName(hostInterface(boardInterface));
    if (!found.isValid()) {
        return std::nullopt;
    }
    InterfaceAddress address{QString(), found.hardwareAddress(), QString()};
    for (const QNetworkAddressEntry& entry : found.addressEntries()) {
        if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol) {
            address.ip = entry.ip().toString();
            address.netmask = entry.netmask().toString();
            break;
        }
    }
    return address;
}

namespace {
std::optional<quint64> readCounter(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    bool ok = false;
    const quint64 value = file.readAll().trimmed().toULongLong(&ok);
    return ok ? std::optional<quint64>(value) : std::nullopt;
}
} // namespace

// The counters are the kernel's own files, read directly rather than through a shell "cat":
// on a virtual board they stay the host's files, outside the root, so that the counts are real.
std::optional<Platform::InterfaceTraffic>
Platform::interfaceTraffic(const QString& boardInterface) {
    if (!g_root.isEmpty() && boardInterface != QLatin1String("eth0")) {
        return std::nullopt;
    }
    const QString folder =
        QStringLiteral("/sys/class/net/") + hostInterface(boardInterface) + "/statistics/";
    const std::optional<quint64> received = readCounter(folder + "rx_bytes");
    const std::optional<quint64> sent = readCounter(folder + "tx_bytes");
    if (!received || !sent) {
        return std::nullopt;
    }
    return InterfaceTraffic{*received, *sent};
}

QStringList Platform::relaunchArguments() {
    QStringList arguments{QStringLiteral("-qws")};
    if (!g_root.isEmpty()) {
        arguments << QStringLiteral("--root") << g_root;
    }
    if (g_netIf != QLatin1String("eth0")) {
        arguments << QStringLiteral("--net-if") << g_netIf;
    }
    return arguments;
}

bool Platform::relaunch() {
    return QProcess::startDetached(QCoreApplication::applicationFilePath(), relaunchArguments());
}

QString CommandRunner::recordFile() {
    return Platform::path(QStringLiteral("/board_commands"));
}

void CommandRunner::run(const QString& commandLine) {
    if (Platform::root().isEmpty()) {
        QProcess::startDetached(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), commandLine});
        return;
    }
    QFile record(recordFile());
    if (record.open(QIODevice::Append)) {
        record.write(commandLine.toLatin1() + '\n');
    }
}

void CommandRunner::runThen(const QString& commandLine, QObject* context,
                            std::function<void(bool succeeded)> done) {
    if (!Platform::root().isEmpty()) {
        run(commandLine);
        QMetaObject::invokeMethod(
            context, [done] { done(true); }, Qt::QueuedConnection);
        return;
    }
    auto* process = new QProcess(context);
    QObject::connect(process, &QProcess::finished, context,
                     [process, done](int exitCode, QProcess::ExitStatus status) {
                         process->deleteLater();
                         done(status == QProcess::NormalExit && exitCode == 0);
                     });
    QObject::connect(process, &QProcess::errorOccurred, context,
                     [process, done](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             process->deleteLater();
                             done(false);
                         }
                     });
    process->start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), commandLine});
}

qint64 Clock::currentMSecsSinceEpoch() {
    const Source source = g_clock.load();
    return source != nullptr ? source() : QDateTime::currentMSecsSinceEpoch();
}

void Clock::setSource(Source source) {
    g_clock.store(source);
}

QString GpioPins::folder(const QString& name) {
    return Platform::path(QStringLiteral("/sys/class/gpio/pio") + name);
}

bool GpioPins::exportPin(const QString& number, const QString& name) {
    const QString exportFile = Platform::path(QStringLiteral("/sys/class/gpio/export"));
    if (!Platform::root().isEmpty()) {
        QDir().mkpath(folder(name));
        for (const char* file : {"/direction", "/edge"}) {
            QFile(folder(name) + QLatin1String(file)).open(QIODevice::WriteOnly);
        }
        QFile value(folder(name) + QStringLiteral("/value"));
        if (value.open(QIODevice::WriteOnly)) {
            value.write("0\n");
        }
    }
    QFile file(exportFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return false;
    }
    return file.write(number.toLatin1() + '\n') == number.size() + 1;
}
