// vboard: runs the unit on a virtual board and shows what it does.
//
// A temporary root gets pseudo-terminals at ROOT/dev/ttyS0..3 and the unit is started on it
// with "--root ROOT --net-if lo". Once a second the screen shows what the unit sends on each
// line and the end of its log. Ctrl-C (or --seconds) stops the unit and removes the root.
#include "ptyline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <memory>
#include <vector>

#include <signal.h>

namespace {
std::atomic<bool> g_stopRequested{false};

void requestStop(int) {
    g_stopRequested = true;
}

struct LineTraffic {
    QByteArray pending; // bytes not yet cut into sentences
    QStringList lastSecond;
    qint64 bytesLastSecond = 0;
    qint64 bytesThisSecond = 0;
};

class VirtualBoard : public QObject {
public:
    VirtualBoard(QString root, QString unitBinary, bool plain)
        : m_root(std::move(root)), m_unitBinary(std::move(unitBinary)), m_plain(plain) {}

    bool start() {
        for (int i = 0; i < 4; ++i) {
            const QString name = QStringLiteral("ttyS%1").arg(i);
            auto line = std::make_unique<PtyLine>(name, m_root + "/dev/" + name, this);
            if (!line->isValid()) {
                std::fprintf(stderr, "vboard: cannot create a pseudo-terminal for %s\n",
                             qPrintable(name));
                return false;
            }
            connect(line.get(), &PtyLine::received, this,
                    [this, name](const QByteArray& bytes) { onReceived(name, bytes); });
            m_lines.push_back(std::move(line));
        }
        m_logPath = m_root + QStringLiteral("/kc40.log");
        m_unit.setStandardOutputFile(m_logPath);
        m_unit.setStandardErrorFile(m_logPath);
        m_unit.start(m_unitBinary, {QStringLiteral("--root"), m_root, QStringLiteral("--net-if"),
                                    QStringLiteral("lo")});
        if (!m_unit.waitForStarted(5000)) {
            std::fprintf(stderr, "vboard: cannot start %s\n", qPrintable(m_unitBinary));
            return false;
        }
        connect(&m_tick, &QTimer::timeout, this, &VirtualBoard::onSecond);
        m_tick.start(1000);
        return true;
    }

    // Stops the unit, and the fresh copy it may have started of itself, by process id.
    void stop() {
        for (const qint64 pid : {unitPid(), m_unit.processId()}) {
            if (pid > 0) {
                ::kill(static_cast<pid_t>(pid), SIGTERM);
            }
        }
        if (!m_unit.waitForFinished(3000)) {
            m_unit.kill();
            m_unit.waitForFinished(1000);
        }
        const qint64 restarted = unitPid();
        if (restarted > 0 && ::kill(static_cast<pid_t>(restarted), 0) == 0) {
            ::kill(static_cast<pid_t>(restarted), SIGKILL);
        }
    }

private:
    qint64 unitPid() const {
        QFile file(m_root + QStringLiteral("/var/run/kc40.pid"));
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
    }

    void onReceived(const QString& line, const QByteArray& bytes) {
        LineTraffic& traffic = m_traffic[line];
        traffic.bytesThisSecond += bytes.size();
        traffic.pending += bytes;
        qsizetype end;
        while ((end = traffic.pending.indexOf('\n')) >= 0) {
            const QByteArray sentence = traffic.pending.left(end + 1);
            traffic.pending.remove(0, end + 1);
            if (m_plain) {
                std::fwrite(sentence.constData(), 1, static_cast<size_t>(sentence.size()), stdout);
                std::fflush(stdout);
            }
            traffic.lastSecond << QString::fromLatin1(sentence).trimmed();
        }
    }

    void onSecond() {
        for (LineTraffic& traffic : m_traffic) {
            traffic.bytesLastSecond = traffic.bytesThisSecond;
            traffic.bytesThisSecond = 0;
        }
        if (!m_plain) {
            draw();
        }
        for (LineTraffic& traffic : m_traffic) {
            traffic.lastSecond.clear();
        }
    }

    void draw() {
        QString screen = QStringLiteral("\x1b[H\x1b[2J");
        screen += QStringLiteral("Virtual board %1  (unit pid %2, Ctrl-C stops)\n\n")
                      .arg(m_root)
                      .arg(unitPid());
        static const QMap<QString, QString> roles{
            {"ttyS0", "debug"}, {"ttyS1", "Nmea_1"}, {"ttyS2", "Nmea_2"}, {"ttyS3", "sensor"}};
        for (auto it = roles.cbegin(); it != roles.cend(); ++it) {
            const LineTraffic traffic = m_traffic.value(it.key());
            screen += QStringLiteral("%1 (%2): %3 bytes/s\n")
                          .arg(it.key(), it.value())
                          .arg(traffic.bytesLastSecond);
            for (const QString& sentence : traffic.lastSecond) {
                screen += QStringLiteral("    ") + sentence + QLatin1Char('\n');
            }
        }
        screen += QStringLiteral("\nUnit log:\n");
        QFile log(m_logPath);
        if (log.open(QIODevice::ReadOnly)) {
            const QStringList lines = QString::fromLocal8Bit(log.readAll()).split('\n');
            for (qsizetype i = qMax<qsizetype>(0, lines.size() - 15); i < lines.size(); ++i) {
                screen += QStringLiteral("    ") + lines[i] + QLatin1Char('\n');
            }
        }
        std::fputs(screen.toLocal8Bit().constData(), stdout);
        std::fflush(stdout);
    }

    QString m_root;
    QString m_unitBinary;
    bool m_plain;
    QString m_logPath;
    QProcess m_unit;
    QTimer m_tick;
    std::vector<std::unique_ptr<PtyLine>> m_lines;
    QMap<QString, LineTraffic> m_traffic;
};
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser options;
    options.setApplicationDescription(
        "Runs the speed log's main unit on a virtual board: pseudo-terminals as its serial lines\n"
        "(ttyS0 debug, ttyS1 Nmea_1, ttyS2 Nmea_2, ttyS3 sensor), the loopback interface as its\n"
        "network, a temporary folder as its root. Shows, once a second, what the unit sends on\n"
        "each line and the end of its log. Ctrl-C stops everything it started.");
    options.addHelpOption();
    const QCommandLineOption plain("plain", "Print the raw sentences the unit sends instead of "
                                            "the screen (for pipes).");
    const QCommandLineOption seconds("seconds", "Stop after N seconds.", "N");
    const QCommandLineOption rootOption("root", "Use DIR as the board root and keep it.", "DIR");
    const QCommandLineOption unit("kc40", "The unit's program (default: kc40 beside vboard).",
                                  "PATH");
    options.addOptions({plain, seconds, rootOption, unit});
    options.process(app);

    std::unique_ptr<QTemporaryDir> temporary;
    QString root = options.value(rootOption);
    if (root.isEmpty()) {
        temporary = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/vboard-XXXXXX");
        root = temporary->path();
    }
    QDir().mkpath(root);
    const QString unitBinary = options.isSet(unit)
                                   ? options.value(unit)
                                   : QCoreApplication::applicationDirPath() + "/kc40";

    VirtualBoard board(QDir(root).absolutePath(), unitBinary, options.isSet(plain));
    if (!board.start()) {
        return 1;
    }
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    QTimer stopWatch;
    QObject::connect(&stopWatch, &QTimer::timeout, [&] {
        if (g_stopRequested) {
            QCoreApplication::quit();
        }
    });
    stopWatch.start(100);
    if (options.isSet(seconds)) {
        QTimer::singleShot(options.value(seconds).toInt() * 1000, &app, &QCoreApplication::quit);
    }
    const int result = QCoreApplication::exec();
    board.stop();
    return result;
}
