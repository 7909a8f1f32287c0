#include "virtualboard.h"

#include "displaylink.h"
#include "multicastsocket.h"
#include "udp_61162_450.h"
#include "udpmulticastparser.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

#include <signal.h>
#include <unistd.h>

namespace {
// startProgram names each program's log after it.
const QString kUnitLog = QStringLiteral("/kc40.log");
const QString kSensorLog = QStringLiteral("/vq2sim.log");
const QString kSensorReport = QStringLiteral("vq2sim: ");
const QString kSensorRecord = QStringLiteral("/sensor_line.jsonl");
const QString kVesselSetupFile = QStringLiteral("/opt/setup_files/vq2_setup");
const QString kNavLink = QStringLiteral("/dev/navsim");
// The ship's speeds, from the navigation simulator to the sensor simulator.
const QString kShipFile = QStringLiteral("/ship.json");
const QString kUnitPidFile = QStringLiteral("/var/run/kc40.pid");
const QString kJunctionBoxSetup = QStringLiteral("/opt/setup_files/kc40_setup");
const QString kAuxSetup = QStringLiteral("/opt/setup_files/kc40_aux_setup");
const QString kBoardFile = QLatin1String(JunctionBoxFile::kBoardPath);
const QString kBoardLeds = QLatin1String(JunctionBoxFile::kLedsBoardPath);
const QStringList kShownChannels = {QStringLiteral("Nmea_1"), QStringLiteral("Nmea_2"),
                                    QStringLiteral("LAN"), QStringLiteral("sensor"),
                                    QStringLiteral("debug")};
// Board device, channel name and whether the line carries sentences worth cutting.
struct Line {
    const char* device;
    const char* channel;
    bool sentences;
};
constexpr Line kLines[] = {
    {"ttyS0", "debug", false}, {"ttyS1", "Nmea_1", true}, {"ttyS2", "Nmea_2", true}};
// The display runs with its own and the unit's default identities.
const DisplayIdentity kDisplay;
constexpr int kStopWaitMs = 3000;
constexpr int kLogLines = 10;
constexpr qint64 kLogTailBytes = 4096;

void stopProcess(QProcess& process) {
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    process.terminate();
    if (!process.waitForFinished(kStopWaitMs)) {
        process.kill();
        process.waitForFinished(kStopWaitMs);
    }
}

// A running program whose command line names the root: a unit on this board. A process id
// left in the root by an earlier run may by now belong to anything else.
bool runsOn(qint64 pid, const QString& root) {
    QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(pid));
    return pid > 0 && commandLine.open(QIODevice::ReadOnly) &&
           commandLine.readAll().split('\0').contains(root.toLocal8Bit());
}
} // namespace

VirtualBoard::VirtualBoard(BoardSetup setup, QObject* parent)
    : QObject(parent), m_setup(std::move(setup)), m_pairing(kDisplay.unitSfi), m_usb(m_setup.root) {
}

VirtualBoard::~VirtualBoard() {
    stop();
}

bool VirtualBoard::start() {
    for (const Line& line : kLines) {
        const QString channel = QLatin1String(line.channel);
        auto pty =
            std::make_unique<PtyLine>(channel, m_setup.root + "/dev/" + QLatin1String(line.device));
        if (!pty->isValid()) {
            std::fprintf(stderr, "vboard: cannot create a pseudo-terminal for %s\n", line.device);
            return false;
        }
        const bool sentences = line.sentences;
        connect(pty.get(), &PtyLine::received, this,
                [this, channel, sentences](const QByteArray& bytes) {
                    if (sentences) {
                        onSerial(channel, bytes);
                    } else {
                        m_summary.addBytes(channel, bytes.size());
                    }
                });
        m_lines[channel] = std::move(pty);
    }
    // The navigation simulator writes to its own line; the board joins it to Nmea_1's input.
    m_navInput = std::make_unique<PtyLine>(QStringLiteral("navsim"), m_setup.root + kNavLink);
    if (!m_navInput->isValid()) {
        std::fprintf(stderr, "vboard: cannot create a pseudo-terminal for the navigation input\n");
        return false;
    }
    connect(m_navInput.get(), &PtyLine::received, this, [this](const QByteArray& bytes) {
        m_lines.at(QStringLiteral("Nmea_1"))->write(bytes);
    });

    m_lan = std::make_unique<MulticastSocket>();
    const int group = UDP_61162_450::groupNameToIndex(m_setup.group);
    if (m_lan->open(UDP_61162_450::groupIpAddress(group), UDP_61162_450::groupPort(group),
                    QStringLiteral("lo"))) {
        connect(m_lan.get(), &MulticastSocket::sigDatagrams, this, &VirtualBoard::onDatagrams);
    } else {
        std::fprintf(stderr,
                     "vboard: cannot join %s on lo (try 'ip link set lo multicast on'); the "
                     "network is not shown\n",
                     qPrintable(m_setup.group));
    }

    const QString record = m_setup.root + kSensorRecord;
    QStringList sensorArguments{QStringLiteral("--pty-link"), m_setup.root + "/dev/ttyS3",
                                QStringLiteral("--record"), record};
    if (!m_setup.scenario.isEmpty()) {
        sensorArguments << QStringLiteral("--scenario") << m_setup.scenario;
    }
    QStringList navArguments{QStringLiteral("--device"), m_setup.root + kNavLink};
    if (m_setup.seaTestLeg > 0.0) {
        const QString shipFile = m_setup.root + kShipFile;
        navArguments << QStringLiteral("--leg-distance") << QString::number(m_setup.seaTestLeg)
                     << QStringLiteral("--ship-file") << shipFile;
        sensorArguments << QStringLiteral("--follow") << shipFile;
    }
    if (!startProgram(m_sensor, QStringLiteral("vq2sim"), m_setup.sensorBinary, sensorArguments) ||
        !startProgram(m_nav, QStringLiteral("navsim"), m_setup.navBinary, navArguments)) {
        return false;
    }
    // A fresh board puts the unit on the board's group; a kept root keeps its own setup.
    QFile setup(m_setup.root + kJunctionBoxSetup);
    if (!setup.exists() && QDir().mkpath(QFileInfo(setup).absolutePath()) &&
        setup.open(QIODevice::WriteOnly)) {
        setup.write(QStringLiteral(R"({ "group" : "%1" })").arg(m_setup.group).toLatin1());
        setup.close();
    }
    // A fresh board gets a healthy junction box described where a person can change it.
    const QString boardFile = m_setup.root + kBoardFile;
    if (!QFile::exists(boardFile) && QDir().mkpath(QFileInfo(boardFile).absolutePath())) {
        JunctionBoxFile::write(boardFile, JunctionBoxDescription{});
    }
    m_boardFile = JunctionBoxFile(boardFile);
    // A process id left by an earlier run on a kept root is not this unit's.
    QFile::remove(m_setup.root + kUnitPidFile);
    if (!startProgram(m_unit, QStringLiteral("kc40"), m_setup.unitBinary,
                      {QStringLiteral("--root"), m_setup.root, QStringLiteral("--net-if"),
                       QStringLiteral("lo")})) {
        return false;
    }
    QStringList displayArguments{QStringLiteral("--group"), m_setup.group,
                                 QStringLiteral("--interface"), QStringLiteral("lo"),
                                 QStringLiteral("--quiet")};
    if (!m_setup.displayScript.isEmpty()) {
        displayArguments << QStringLiteral("--script") << m_setup.displayScript;
    }
    if (!m_setup.displayBinary.isEmpty() &&
        !startProgram(m_display, QStringLiteral("displaysim"), m_setup.displayBinary,
                      displayArguments)) {
        return false;
    }
    m_sensorRecord.setFileName(record);
    m_clock.start();
    connect(&m_pinWatcher, &QFileSystemWatcher::fileChanged, this, &VirtualBoard::readPin);
    // The live view takes single keys; plain output leaves the terminal as it is.
    termios terminal;
    if (!m_setup.plain && ::isatty(STDIN_FILENO) && ::tcgetattr(STDIN_FILENO, &terminal) == 0) {
        m_terminal = terminal;
        terminal.c_lflag &= ~tcflag_t(ICANON | ECHO);
        ::tcsetattr(STDIN_FILENO, TCSANOW, &terminal);
        m_keys = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
        connect(m_keys.get(), &QSocketNotifier::activated, this, &VirtualBoard::onKey);
    }
    connect(&m_tick, &QTimer::timeout, this, &VirtualBoard::onSecond);
    m_tick.start(1000);
    return true;
}

bool VirtualBoard::startProgram(QProcess& process, const QString& name, const QString& binary,
                                const QStringList& arguments) {
    const QString log = m_setup.root + "/" + name + ".log";
    process.setStandardOutputFile(log);
    process.setStandardErrorFile(log);
    process.start(binary, arguments);
    if (!process.waitForStarted(kStopWaitMs)) {
        std::fprintf(stderr, "vboard: cannot start %s\n", qPrintable(binary));
        return false;
    }
    return true;
}

void VirtualBoard::stop() {
    m_tick.stop();
    if (m_terminal) {
        ::tcsetattr(STDIN_FILENO, TCSANOW, &*m_terminal);
        m_terminal.reset();
    }
    stopProcess(m_display);
    // The unit first: it may have replaced itself with a fresh copy that is not our child.
    const qint64 restarted = unitPid();
    const bool fresh = restarted != m_unit.processId() && runsOn(restarted, m_setup.root);
    if (fresh) {
        ::kill(static_cast<pid_t>(restarted), SIGTERM);
    }
    stopProcess(m_unit);
    if (fresh && runsOn(restarted, m_setup.root)) {
        ::kill(static_cast<pid_t>(restarted), SIGKILL);
    }
    stopProcess(m_nav);
    stopProcess(m_sensor);
}

qint64 VirtualBoard::unitPid() const {
    QFile file(m_setup.root + kUnitPidFile);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
}

void VirtualBoard::onSerial(const QString& channel, const QByteArray& bytes) {
    QByteArray& pending = m_pending[channel];
    pending += bytes;
    qsizetype end;
    while ((end = pending.indexOf('\n')) >= 0) {
        const QString sentence = QString::fromLatin1(pending.left(end + 1));
        pending.remove(0, end + 1);
        m_summary.addSentence(channel, sentence);
        emitSentence(sentence);
    }
}

void VirtualBoard::onDatagrams(const QList<QByteArray>& datagrams) {
    for (const QByteArray& datagram : datagrams) {
        const std::optional<QString> text = MulticastSocket::datagramText(datagram);
        if (!text) {
            continue;
        }
        m_pairing.addDatagramText(*text);
        // The summary is what the unit sends; the display's answers count for the pairing.
        if (UdpMulticastParser::firstSourceTag(text->toLatin1()) != kDisplay.sfi) {
            m_summary.addDatagramText(*text, datagram.size());
        }
        // Plain output carries the display's sentences as well as the unit's.
        if (m_setup.plain) {
            for (const QString& line : text->split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
                // The sentence without its tag block, as a serial listener would see it.
                const qsizetype tagEnd =
                    line.startsWith(QLatin1Char('\\')) ? line.indexOf(QLatin1Char('\\'), 1) : -1;
                emitSentence(line.mid(tagEnd + 1) + QStringLiteral("\r\n"));
            }
        }
    }
}

void VirtualBoard::emitSentence(const QString& sentence) {
    if (m_setup.plain) {
        const QByteArray bytes = sentence.toLatin1();
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
        std::fflush(stdout);
    }
}

void VirtualBoard::readSensorRecord() {
    if (!m_sensorRecord.isOpen() && !m_sensorRecord.open(QIODevice::ReadOnly)) {
        return;
    }
    // canReadLine() looks only at what the file has already buffered, which is nothing until
    // it is read: take what is there and keep a line the simulator has not finished.
    m_recordPending += m_sensorRecord.readAll();
    qsizetype end;
    while ((end = m_recordPending.indexOf('\n')) >= 0) {
        const QJsonObject line = QJsonDocument::fromJson(m_recordPending.left(end)).object();
        m_recordPending.remove(0, end + 1);
        m_summary.addSensorBytes(
            QByteArray::fromHex(line.value(QStringLiteral("hex")).toString().toLatin1()));
    }
}

void VirtualBoard::readStoredSetup() {
    // On a fresh root the unit writes the file as it starts; once read, the unit's own
    // configuration reports keep the mode up to date.
    QFile file(m_setup.root + kVesselSetupFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    m_summary.addStoredVesselSetup(file.readAll());
    m_storedSetupRead = true;
}

void VirtualBoard::onSecond() {
    if (!m_storedSetupRead) {
        readStoredSetup();
    }
    readSensorRecord();
    readJunctionBox();
    watchPins();
    m_summary.closeSecond();
    m_pairing.closeSecond();
    if (!m_setup.plain) {
        draw();
    }
}

void VirtualBoard::draw() {
    QString screen = QStringLiteral("\x1b[H\x1b[2J");
    screen += QStringLiteral("Virtual board %1  (unit pid %2, Ctrl-C stops)\n\n")
                  .arg(m_setup.root)
                  .arg(unitPid());
    for (const QString& line : m_summary.render(kShownChannels)) {
        screen += line + QLatin1Char('\n');
    }
    const QString report = sensorReport();
    if (!report.isEmpty()) {
        screen += QStringLiteral("Sensor simulator: ") + report.mid(kSensorReport.size()) +
                  QLatin1Char('\n');
    }
    screen += m_pairing.render() + QLatin1Char('\n');
    screen += QStringLiteral("USB stick: %1 (u puts one in or pulls it)\n")
                  .arg(m_usb.inserted() ? QStringLiteral("in") : QStringLiteral("out"));
    for (const QString& line : m_junctionBox.render(m_clock.elapsed())) {
        screen += line + QLatin1Char('\n');
    }
    screen += QStringLiteral("\nUnit log:\n");
    QFile log(m_setup.root + kUnitLog);
    if (log.open(QIODevice::ReadOnly)) {
        // The end of the log is enough, however long the unit has run.
        log.seek(qMax<qint64>(0, log.size() - kLogTailBytes));
        const QStringList lines =
            QString::fromLocal8Bit(log.readAll()).split('\n', Qt::SkipEmptyParts);
        for (qsizetype i = qMax<qsizetype>(0, lines.size() - kLogLines); i < lines.size(); ++i) {
            screen += QStringLiteral("    ") + lines[i] + QLatin1Char('\n');
        }
    }
    std::fputs(screen.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

QString VirtualBoard::sensorReport() const {
    QFile log(m_setup.root + kSensorLog);
    if (!log.open(QIODevice::ReadOnly)) {
        return {};
    }
    log.seek(qMax<qint64>(0, log.size() - kLogTailBytes));
    const QStringList lines = QString::fromLocal8Bit(log.readAll()).split('\n', Qt::SkipEmptyParts);
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        if (line->startsWith(kSensorReport)) {
            return *line;
        }
    }
    return {};
}

QString VirtualBoard::pinFile(const QString& pin) const {
    return m_setup.root + QStringLiteral("/sys/class/gpio/pio") + pin + QStringLiteral("/value");
}

void VirtualBoard::readJunctionBox() {
    QFile auxSetup(m_setup.root + kAuxSetup);
    if (auxSetup.open(QIODevice::ReadOnly)) {
        m_junctionBox.setTerminalsFromSetup(auxSetup.readAll());
    }
    QFile leds(m_setup.root + kBoardLeds);
    m_junctionBox.setBoard(
        leds.open(QIODevice::ReadOnly) ? QString::fromLatin1(leds.readAll().trimmed()) : QString(),
        m_boardFile.current());
}

void VirtualBoard::watchPins() {
    const QStringList watched = m_pinWatcher.files();
    for (const QString& pin : m_junctionBox.pins()) {
        const QString file = pinFile(pin);
        if (!watched.contains(file) && QFile::exists(file) && m_pinWatcher.addPath(file)) {
            readPin(file);
        }
    }
}

void VirtualBoard::readPin(const QString& valueFile) {
    QFile file(valueFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    // The unit truncates the file before it writes the level: an empty read is that moment.
    const QByteArray level = file.readLine().trimmed();
    if (level.isEmpty()) {
        return;
    }
    const QString pin = QFileInfo(valueFile).dir().dirName().mid(3);
    m_junctionBox.pinLevel(pin, level == "1", m_clock.elapsed());
}

void VirtualBoard::onKey() {
    char key = 0;
    if (::read(STDIN_FILENO, &key, 1) != 1) {
        return;
    }
    if (key == 'u') {
        m_usb.toggle();
        return;
    }
    for (const JunctionBoxView::Terminal& terminal : m_junctionBox.terminals()) {
        if (terminal.input && terminal.aux.endsWith(QLatin1Char(key))) {
            togglePinInput(terminal.pin);
        }
    }
}

void VirtualBoard::togglePinInput(const QString& pin) {
    // What a switch wired to the terminal does: the line's level changes, and the kernel's
    // part of the board reports the edge to the unit.
    QFile file(pinFile(pin));
    const bool level = m_junctionBox.level(pin).value_or(false);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(level ? "0" : "1");
    }
}
