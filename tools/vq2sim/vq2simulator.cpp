#include "vq2simulator.h"

#include "shipspeeds.h"
#include "transducer.h"

#include "nmeamessage.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr char kMute = 0x13;
constexpr char kUnmute = 0x11;
const QByteArray kReload = QByteArrayLiteral("$PNRVFIRM");
const QByteArray kRawPreamble = QByteArrayLiteral("1234567890");
const QByteArray kFirmwareMode = QByteArrayLiteral("$PNRVFIRS");
// The count byte follows the header of a programming frame; the reload is the frame the unit
// also sends alone when the sensor's data is stuck.
constexpr qsizetype kCountByte = 9;
constexpr char kReloadCount = 0x00;
constexpr int kFirmwareBaud = 115200;
constexpr qsizetype kMaxInput = 4096;

int baudOf(speed_t speed) {
    switch (speed) {
    case B4800:
        return 4800;
    case B9600:
        return 9600;
    case B38400:
        return 38400;
    case B115200:
        return 115200;
    default:
        return 0;
    }
}

QByteArray number(double value, bool sign = true) {
    return QByteArray::number(value, 'f', 1).prepend(sign && value >= 0.0 ? "+" : "");
}

QByteArray integer(double value) {
    return QByteArray::number(qRound(value));
}

QByteArray sentenceOf(const QByteArray& body) {
    return NmeaMessage::addCrcToMsgBuffer(QString::fromLatin1(body)).toLatin1();
}

} // namespace

Vq2Simulator::Vq2Simulator(const Scenario& scenario, QObject* parent)
    : QObject(parent), m_scenario(scenario), m_tick(this) {
    m_flash.setEraseNeverEnds(scenario.faults.eraseNeverEnds);
    m_tick.setInterval(kTickMs);
    connect(&m_tick, &QTimer::timeout, this, &Vq2Simulator::tick);
    m_clock.start();
}

Vq2Simulator::~Vq2Simulator() {
    m_reader.reset();
}

bool Vq2Simulator::open(const QString& linkPath, QString* error) {
    // The slave is not held here: with the unit's line closed the master sees a hang-up,
    // which is how the simulator tells the unit's sessions apart.
    if (!m_pty.open(linkPath, false, error)) {
        return false;
    }
    m_link = linkPath;
    m_nextReopen = m_clock.elapsed() + m_scenario.faults.reopenEverySeconds * 1000;
    m_reader = std::make_unique<QSocketNotifier>(m_pty.master(), QSocketNotifier::Read);
    m_reader->setEnabled(false);
    connect(m_reader.get(), &QSocketNotifier::activated, this, &Vq2Simulator::readLine);
    m_tick.start();
    return true;
}

void Vq2Simulator::setScenario(const Scenario& scenario) {
    m_scenario = scenario;
    m_flash.setEraseNeverEnds(scenario.faults.eraseNeverEnds);
}

bool Vq2Simulator::setRecordFile(const QString& path) {
    m_record.setFileName(path);
    return m_record.open(QIODevice::WriteOnly | QIODevice::Append);
}

int Vq2Simulator::baudRate() const {
    termios settings{};
    if (!m_pty.isOpen() || ::tcgetattr(m_pty.master(), &settings) != 0) {
        return 0;
    }
    return baudOf(::cfgetospeed(&settings));
}

void Vq2Simulator::reopen() {
    if (m_lineOpen) {
        endSession();
    }
    m_reader.reset();
    m_pty.close();
    QString error;
    if (!open(m_link, &error)) {
        qWarning("vq2sim: cannot offer the line again: %s", qPrintable(error));
    }
}

bool Vq2Simulator::inSilence(qint64 now) const {
    const Faults& faults = m_scenario.faults;
    if (faults.silenceEverySeconds <= 0) {
        return false;
    }
    const qint64 period = qint64(faults.silenceEverySeconds) * 1000;
    return now % period >= period - qint64(faults.silenceSeconds) * 1000;
}

void Vq2Simulator::tick() {
    if (m_scenario.faults.reopenEverySeconds > 0 && m_clock.elapsed() >= m_nextReopen) {
        reopen();
    }
    // With no process holding the slave, the master reports a hang-up.
    pollfd fd{m_pty.master(), POLLIN, 0};
    ::poll(&fd, 1, 0);
    const bool open = (fd.revents & POLLHUP) == 0;
    if (open && !m_lineOpen) {
        startSession();
    } else if (!open && m_lineOpen) {
        // What the unit wrote before it closed the line has still arrived.
        drain();
        endSession();
    }
    if (m_firmwareMode) {
        // The sensor measures again once the unit is back at the measuring rate.
        if (!m_lineOpen || baudRate() != 4800) {
            return;
        }
        leaveFirmwareMode();
    }
    if (!m_lineOpen || m_scenario.faults.silent || m_muted || m_clock.elapsed() < m_silentUntil ||
        m_clock.elapsed() < m_nextDat || inSilence(m_clock.elapsed())) {
        return;
    }
    m_nextDat = m_clock.elapsed() + kCycleMs;
    if (m_rawStreaming) {
        sendRawFrame();
        return;
    }
    if (baudRate() != 4800) {
        return;
    }
    sendCycle();
}

void Vq2Simulator::sendCycle() {
    m_lastDatAt = m_clock.elapsed();
    const int burstEvery = m_scenario.faults.burstEvery;
    if (burstEvery > 0 && ++m_cycleCount % burstEvery == 0) {
        QByteArray burst;
        for (int i = 0; i < kBurstSentences; ++i) {
            burst += datSentence(4);
        }
        write(burst);
        return;
    }
    const QByteArray dat4 = datSentence(4);
    if (!sendsDat5()) {
        writeSentence(dat4);
        return;
    }
    const QByteArray dat5 = datSentence(5);
    if (m_scenario.faults.pairWrites || m_scenario.faults.splitWrites) {
        // Split as one burst, so the halves of the two sentences never interleave.
        writeSentence(dat4 + dat5);
        return;
    }
    write(dat4);
    write(dat5);
}

void Vq2Simulator::startSession() {
    m_lineOpen = true;
    ++m_sessions;
    m_input.clear();
    m_muted = false;
    m_testOn = false;
    m_testSpeeds = {};
    m_rawStreaming = false;
    m_silentUntil = 0;
    m_nextDat = m_clock.elapsed() + kCycleMs / 2;
    m_reader->setEnabled(true);
    Q_EMIT sessionStarted(m_sessions);
}

void Vq2Simulator::endSession() {
    m_lineOpen = false;
    m_reader->setEnabled(false);
    Q_EMIT sessionEnded();
}

bool Vq2Simulator::readOnce() {
    char chunk[4096];
    const ssize_t n = ::read(m_pty.master(), chunk, sizeof chunk);
    if (n <= 0) {
        return false;
    }
    const QByteArray bytes(chunk, static_cast<qsizetype>(n));
    m_receivedAll += bytes;
    record(bytes);
    handleInput(bytes);
    return true;
}

void Vq2Simulator::drain() {
    while (readOnce()) {
    }
}

void Vq2Simulator::readLine() {
    if (!readOnce() && errno == EIO) {
        endSession();
    }
}

void Vq2Simulator::record(const QByteArray& bytes) {
    if (!m_record.isOpen()) {
        return;
    }
    const QJsonObject line{{QStringLiteral("t"), QDateTime::currentMSecsSinceEpoch()},
                           {QStringLiteral("baud"), baudRate()},
                           {QStringLiteral("hex"), QString::fromLatin1(bytes.toHex())},
                           {QStringLiteral("text"), QString::fromLatin1(bytes)}};
    m_record.write(QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n');
    m_record.flush();
}

void Vq2Simulator::handleMuteBytes(QByteArray& input) {
    const bool mute = input.contains(kMute);
    const bool unmute = input.contains(kUnmute);
    if (!mute && !unmute) {
        return;
    }
    input.replace(QByteArray("$") + kMute + '$', QByteArray());
    input.replace(QByteArray("$") + kUnmute + '$', QByteArray());
    input.replace(QByteArray(1, kMute), QByteArray());
    input.replace(QByteArray(1, kUnmute), QByteArray());
    m_muted = mute && !unmute;
    write(QByteArray(1, m_muted ? kMute : kUnmute));
}

void Vq2Simulator::handleInput(const QByteArray& bytes) {
    m_input += bytes;
    if (m_firmwareMode || entersFirmwareMode()) {
        handleFirmwareInput();
        return;
    }
    if (m_rawStreaming) {
        // Only the stop command matters while frames stream.
        const qsizetype end = m_input.lastIndexOf('\n');
        if (end >= 0) {
            const QByteArray lines = m_input.left(end + 1);
            m_input.remove(0, end + 1);
            if (lines.contains("PNRVCFG,4,0,")) {
                m_rawStreaming = false;
            }
        }
        return;
    }
    handleMuteBytes(m_input);
    if (m_input.contains(kRawPreamble) && baudRate() == 115200) {
        m_input.clear();
        m_rawStreaming = true;
        m_nextDat = m_clock.elapsed() + kCycleMs / 2;
        return;
    }
    const qsizetype reload = m_input.indexOf(kReload);
    if (reload >= 0) {
        m_silentUntil = m_clock.elapsed() + kReloadSilenceMs;
        m_input.remove(0, reload + kReload.size());
    }
    for (;;) {
        const qsizetype lineFeed = m_input.indexOf('\n');
        if (lineFeed < 0) {
            break;
        }
        const qsizetype start = m_input.lastIndexOf('$', lineFeed);
        if (start >= 0) {
            handleCommand(QString::fromLatin1(m_input.mid(start, lineFeed - start + 1)));
        }
        m_input.remove(0, lineFeed + 1);
    }
    if (m_input.size() > kMaxInput) {
        m_input.clear();
    }
}

bool Vq2Simulator::entersFirmwareMode() {
    if (baudRate() != kFirmwareBaud) {
        return false;
    }
    // The preamble alone starts raw frames; the firmware command may follow in a later read.
    const qsizetype preamble = m_rawStreaming ? 0 : m_input.indexOf(kRawPreamble);
    const qsizetype command = preamble < 0 ? -1 : m_input.indexOf(kFirmwareMode, preamble);
    if (command < 0) {
        return false;
    }
    m_input.remove(0, command + kFirmwareMode.size());
    m_rawStreaming = false;
    m_firmwareMode = true;
    Q_EMIT firmwareMode(true);
    return true;
}

void Vq2Simulator::handleFirmwareInput() {
    for (;;) {
        const qsizetype header = m_input.indexOf(kReload);
        if (header < 0) {
            // Keep what may be the start of a header.
            m_input = m_input.right(kReload.size() - 1);
            return;
        }
        m_input.remove(0, header);
        if (m_input.size() <= kCountByte) {
            return;
        }
        const int size = FlashProm::frameSize(static_cast<quint8>(m_input.at(kCountByte)));
        if (size == 0) {
            m_input.remove(0, kReload.size());
            continue;
        }
        if (m_input.size() < size) {
            return;
        }
        const QByteArray frame = m_input.left(size);
        m_input.remove(0, size);
        const QByteArray answer = m_flash.frame(frame, m_clock.elapsed());
        if (!answer.isEmpty()) {
            write(answer);
        }
        if (frame.at(kCountByte) == kReloadCount && m_flash.programs() > m_programsLoaded) {
            m_programsLoaded = m_flash.programs();
            Q_EMIT firmwareLoaded(m_flash.restoredImage());
        }
    }
}

void Vq2Simulator::leaveFirmwareMode() {
    m_firmwareMode = false;
    m_input.clear();
    m_nextDat = m_clock.elapsed() + kCycleMs / 2;
    Q_EMIT firmwareMode(false);
}

void Vq2Simulator::handleCommand(const QString& sentence) {
    Q_EMIT commandReceived(sentence, baudRate(), m_clock.elapsed() - m_lastDatAt);
    const QString body = sentence.mid(1).section(QLatin1Char('*'), 0, 0);
    const QStringList f = body.split(QLatin1Char(','));
    const QString id = f.first();
    if (id == QLatin1String("PNRVCFG") && f.size() == 7) {
        answer(sentenceOf((body + QStringLiteral(",3,3,15,0")).toLatin1()));
    } else if (id == QLatin1String("PNRVTST") && f.size() == 6) {
        m_testOn = f[2] == QLatin1String("3");
        const float speed = f[3].toFloat();
        const QString& formats = f[5];
        if (!m_testOn) {
            m_testSpeeds = {};
        } else if (formats == QLatin1String("1010")) {
            m_testSpeeds[1] = speed;
        } else if (formats == QLatin1String("1100")) {
            m_testSpeeds[2] = speed;
        } else if (formats == QLatin1String("1110")) {
            m_testSpeeds[3] = speed;
        } else {
            m_testSpeeds = {speed, 0.0f, speed, 0.0f};
        }
        answer(sentenceOf(body.toLatin1()));
    } else if (id == QLatin1String("PNRVSNF")) {
        const bool high = m_scenario.firmware >= 300;
        answer(sentenceOf("PNRVSNF,4," + m_scenario.serialNumber.toLatin1() + ",A9," +
                          QByteArray::number(m_scenario.firmware) + ",C1,C" +
                          QByteArray(high ? "2" : "1") + ",0.0,1.0," +
                          QByteArray(high ? "HI" : "LOW")));
    }
}

void Vq2Simulator::answer(const QByteArray& bytes) {
    if (m_scenario.faults.noAnswers) {
        return;
    }
    if (m_scenario.faults.answerDelayMs > 0) {
        const int session = m_sessions;
        QTimer::singleShot(m_scenario.faults.answerDelayMs, this, [this, bytes, session] {
            if (session == m_sessions) {
                writeSentence(bytes);
            }
        });
        return;
    }
    writeSentence(bytes);
}

// The sensor measures the water through its housing, which its electronics warm by this much.
constexpr double kSelfHeatingC = 5.0;

QByteArray Vq2Simulator::datSentence(int system) {
    const Faults& faults = m_scenario.faults;
    const double t = faults.stuck ? 0.0 : static_cast<double>(m_clock.elapsed()) / 1000.0;
    const Scenario& s = m_scenario;
    double stwLong = s.stwLong.at(t);
    double stwTra = s.stwTra.at(t);
    double sogLong = faults.stuck ? stwLong : s.sogLong.at(t);
    double sogTra = faults.stuck ? stwTra : s.sogTra.at(t);
    if (const auto ship = m_shipFile.isEmpty() ? std::nullopt : ShipSpeeds::read(m_shipFile)) {
        stwLong = ship->stwLong;
        stwTra = ship->stwTra;
        sogLong = ship->sogLong;
        sogTra = ship->sogTra;
    }
    if (m_testOn) {
        stwLong = m_testSpeeds[0];
        stwTra = m_testSpeeds[1];
        sogLong = m_testSpeeds[2];
        sogTra = m_testSpeeds[3];
    }
    // The sentence carries what the beams see, not the ship's speeds and depths themselves;
    // a speed test sends the requested speeds as they are.
    const double water = s.temperature.at(t);
    const bool testing = m_testOn;
    const auto beam = [water, testing](double speed) {
        return testing ? speed : Transducer::beamSpeed(speed, water);
    };
    const auto slant = [water](double depth) { return Transducer::slantRange(depth, water); };
    QByteArray body = "PNRVDAT," + QByteArray::number(system) + ',' + number(beam(stwLong)) + ',' +
                      integer(s.qualityWater.at(t)) + ',' + number(beam(stwTra)) + ',' +
                      integer(s.qualityWater.at(t)) + ',' + number(water + kSelfHeatingC) + ',' +
                      integer(s.tiltX.at(t)) + ',' + integer(s.tiltY.at(t)) + ',' +
                      integer(s.tiltZ.at(t));
    if (system == 4) {
        body += ',' + number(beam(sogLong)) + ',' + integer(s.qualityGround.at(t)) + ',' +
                number(beam(sogTra)) + ',' + integer(s.qualityGround.at(t)) + ',' +
                number(slant(s.depthFwd.at(t)), false) + ',' +
                number(slant(s.depthAft.at(t)), false);
    }
    ++m_datCount;
    QByteArray text = sentenceOf(body);
    if (faults.badChecksumEvery > 0 && m_datCount % faults.badChecksumEvery == 0) {
        const qsizetype digit = text.size() - 3;
        text[digit] = text[digit] == '0' ? '1' : '0';
    }
    if (faults.garbageEvery > 0 && m_datCount % faults.garbageEvery == 0) {
        text.prepend("\x01\xfe#garbage");
    }
    if (faults.cutEvery > 0 && m_datCount % faults.cutEvery == 0) {
        text.truncate(text.size() / 2);
    }
    return text;
}

void Vq2Simulator::sendRawFrame() {
    QByteArray body(kRawFrameBody, '\0');
    for (int i = 0; i < kRawFrameBody; ++i) {
        body[i] = static_cast<char>(i % 251);
    }
    write("$PNRV$PNRVRAW" + body);
}

void Vq2Simulator::writeSentence(const QByteArray& sentence) {
    if (!m_scenario.faults.splitWrites) {
        write(sentence);
        return;
    }
    const qsizetype half = sentence.size() / 2;
    write(sentence.left(half));
    const int session = m_sessions;
    const QByteArray rest = sentence.mid(half);
    QTimer::singleShot(kTickMs / 2, this, [this, rest, session] {
        if (session == m_sessions) {
            write(rest);
        }
    });
}

void Vq2Simulator::write(const QByteArray& bytes) {
    if (!m_lineOpen) {
        return;
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_pty.master(), bytes.constData() + done,
                                  static_cast<size_t>(bytes.size() - done));
        if (n <= 0) {
            // The unit does not read fast enough: the rest is lost, as on a real line.
            return;
        }
        done += n;
    }
}
