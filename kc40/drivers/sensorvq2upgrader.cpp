#include "sensorvq2upgrader.h"

#include "logger.h"
#include "msgrus.h"
#include "platform.h"
#include "sensorhandshake.h"
#include "serialsensor.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <initializer_list>

namespace {

constexpr std::array<quint8, 256> kWmap = [] {
    std::array<quint8, 256> table{};
    for (int i = 0; i < 256; ++i) {
        int reversed = 0;
        for (int bit = 0; bit < 8; ++bit) {
            if ((i & (1 << bit)) != 0) {
                reversed |= 0x80 >> bit;
            }
        }
        table[static_cast<std::size_t>(i)] = static_cast<quint8>(reversed);
    }
    return table;
}();

quint8 w(int byte) {
    return kWmap[static_cast<std::size_t>(byte & 0xFF)];
}

const QString kSensorLine = QStringLiteral("ttyS3");
const QByteArray firmwareHeader = QByteArrayLiteral("$PNRVFIRM");
// The count byte of a frame that carries an SPI command with 256 clocked bytes behind it.
constexpr quint8 kLongCommand = 0x04;

QByteArray frame(std::initializer_list<quint8> body, const QByteArray& data = QByteArray()) {
    QByteArray bytes = firmwareHeader;
    for (const quint8 byte : body) {
        bytes += static_cast<char>(byte);
    }
    if (!data.isEmpty()) {
        bytes += data;
        bytes += '\xFF';
    }
    return bytes + "\r\n";
}

const QByteArray Enable_Config_PROM = frame({0x55});
const QByteArray Disable_Config_PROM = frame({0xAA});
const QByteArray Reload_FPGA = frame({0x00});
const QByteArray WREN = frame({0x01, w(0x06), 0x00});
const QByteArray Erase_Config_PROM = frame({0x01, w(0xC7), 0x00});
const QByteArray WRSR = frame({0x02, w(0x01), w(0x80)});
const QByteArray RDSR =
    frame({kLongCommand, w(0x05), 0, 0, 0}, QByteArray(SensorVQ2Upgrader::kPageSize, '\0'));

QByteArray WRITE(const QByteArray& data, int page) {
    return frame({kLongCommand, w(0x02), w((page >> 8) & 7), w(page & 0xFF), w(0)}, data);
}

// Where the status register shows in the sensor's answer to RDSR, and what it reads once the
// PROM is erased and no longer busy (the protection bits as WRSR left them).
constexpr int kStatusByte = 240;
constexpr quint8 kErasedStatus = 0x80;
constexpr quint8 kErasedStatusProtected = 0x90;
constexpr int kStatusRounds = 256;
// A round takes this long at least, as on the line at 115200 baud (273 bytes each way): the
// erase is given its 13 s however fast the line answers.
constexpr unsigned long kStatusRoundMs = 50;
constexpr int kWaitingReportEvery = 10;
constexpr int kReadTimeoutMs = 1000;

// The main thread closes the line within this, draining what it wrote last.
constexpr std::chrono::milliseconds kLineReleaseTimeout{5000};
// The pauses the PROM needs between the steps.
constexpr unsigned long kPromStepMs = 40;
constexpr unsigned long kWrenMs = 2;
constexpr unsigned long kStatusWrittenMs = 100;
constexpr unsigned long kPageMs = 10;
constexpr unsigned long kLastPageMs = 2;
constexpr int kWrittenTimeoutMs = 1000;

void pause(unsigned long ms) {
    QThread::msleep(ms);
}

void appendLog(const QString& text, Logger::LogLevel level = Logger::LOG_INFO) {
    Logger::instance()->append(text, level);
}

} // namespace

const std::array<quint8, 256>& SensorVQ2Upgrader::wmap() {
    return kWmap;
}

int SensorVQ2Upgrader::pageCountOf(qint64 imageSize) {
    return static_cast<int>((imageSize + kPageSize - 1) / kPageSize);
}

QByteArray SensorVQ2Upgrader::imagePage(const QByteArray& image, int page) {
    QByteArray data = image.mid(qsizetype(page) * kPageSize, kPageSize);
    for (char& byte : data) {
        byte = static_cast<char>(w(static_cast<quint8>(byte)));
    }
    // The zeros stay zeros through wmap.
    data.append(kPageSize - data.size(), '\0');
    return data;
}

SensorVQ2Upgrader::Image SensorVQ2Upgrader::readImage(const QString& path) {
    const QFileInfo info(path);
    Image image;
    if (!info.isFile()) {
        // A folder, a device or a pipe is no image; nor is what vanished meanwhile.
        image.refusal = QStringLiteral("File read error");
        image.logLine = QStringLiteral("ABORTED, CANNOT OPEN FILE");
        return image;
    }
    if (info.size() > kMaxImageSize) {
        // The PROM's page addresses would wrap and overwrite the start of the image.
        image.refusal = QStringLiteral("File too big");
        image.logLine = QStringLiteral("ABORTED, FILE TOO BIG");
        return image;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        image.refusal = QStringLiteral("File read error");
        image.logLine = QStringLiteral("ABORTED, CANNOT OPEN FILE");
        return image;
    }
    // One more byte than allowed tells a file that grew since its size was taken.
    image.bytes = file.read(kMaxImageSize + 1);
    if (image.bytes.isEmpty()) {
        image.refusal = QStringLiteral("Empty file");
        image.logLine = QStringLiteral("ABORTED, FILE SIZE IS ZERO");
    } else if (image.bytes.size() > kMaxImageSize) {
        image.refusal = QStringLiteral("File too big");
        image.logLine = QStringLiteral("ABORTED, FILE TOO BIG");
    }
    return image;
}

SensorVQ2Upgrader::SensorVQ2Upgrader(QObject* parent) : QObject(parent) {
    QDir().mkpath(firmwareFolder());
    removeOldFiles();
}

SensorVQ2Upgrader::~SensorVQ2Upgrader() = default;

QString SensorVQ2Upgrader::firmwareFolder() {
    return Platform::path(QStringLiteral("/opt/sensorFirmware"));
}

bool SensorVQ2Upgrader::sensorUpgradeFileExist() const {
    return !QDir(firmwareFolder())
                .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden);
}

QString SensorVQ2Upgrader::getFirmwareFilePath() const {
    const QDir folder(firmwareFolder());
    const QDir::Filters any = QDir::NoDotAndDotDot | QDir::System | QDir::Hidden;
    QStringList entries = folder.entryList(QDir::Files | any, QDir::Name);
    if (entries.isEmpty()) {
        entries = folder.entryList(QDir::AllEntries | any, QDir::Name);
    }
    return entries.isEmpty() ? QString() : folder.filePath(entries.first());
}

void SensorVQ2Upgrader::removeOldFiles() {
    QDir folder(firmwareFolder());
    const QFileInfoList entries =
        folder.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir() && !entry.isSymLink()) {
            QDir(entry.filePath()).removeRecursively();
        } else {
            folder.remove(entry.fileName());
        }
    }
}

bool SensorVQ2Upgrader::imageSettled(const QString& path) {
    const QFileInfo info(path);
    const Entry now{path, info.size(), info.lastModified()};
    const bool settled = now == m_lastSeen;
    m_lastSeen = now;
    return settled;
}

void SensorVQ2Upgrader::report(quint32 type, quint32 value, const QString& text) {
    Q_EMIT sigSendUdp(std::make_shared<MsgRUS>(type, value, text));
}

bool SensorVQ2Upgrader::giveUp(quint32 type, const QString& text, const QString& logLine) {
    report(type, 0, text);
    removeOldFiles();
    appendLog(logLine, Logger::LOG_ERROR);
    return false;
}

bool SensorVQ2Upgrader::startUpgrade(const QString& path) {
    // Everything about the image is settled before the sensor is touched: a refused image
    // leaves the sensor measuring on its line at 4800 baud.
    const Image image = readImage(path);
    if (!image.usable()) {
        return giveUp(2, image.refusal, image.logLine);
    }
    if (!takeLine()) {
        // Tried again with every tick, the sensor would hardly ever measure.
        removeOldFiles();
        appendLog(QStringLiteral("ABORTED, CANNOT START UART ON 115200"), Logger::LOG_ERROR);
        return false;
    }
    SendAsciiMessage(QStringLiteral("1234567890"));
    SendAsciiMessage(QStringLiteral("$PNRVFIRS\r\n"));
    pause(m_timing.modeSwitchMs);
    buttonPROG_B();
    pause(m_timing.modeSwitchMs);

    const bool firstErased = EraseButtonClick();
    bool secondErased = false;
    if (firstErased) {
        pause(m_timing.modeSwitchMs);
        secondErased = EraseButtonClick();
    }
    if (!secondErased) {
        giveLineBack();
        if (m_lineFailed) {
            return giveUp(2, QStringLiteral("Can not write sensor"),
                          QStringLiteral("ABORTED, CANNOT WRITE TO SENSOR"));
        }
        return firstErased ? giveUp(2, QStringLiteral("Can not erase sensor (2)"),
                                    QStringLiteral("ERASE_2 ERROR"))
                           : giveUp(2, QStringLiteral("Can not erase sensor"),
                                    QStringLiteral("ERASE_1 ERROR"));
    }
    appendLog(QStringLiteral("!!! SENSOR ERASED"));
    pause(m_timing.modeSwitchMs);
    prepareWriting();

    const bool written = writeImage(image.bytes);
    giveLineBack();
    if (!written) {
        return giveUp(2, QStringLiteral("Can not write sensor"),
                      QStringLiteral("ABORTED, CANNOT WRITE TO SENSOR"));
    }
    report(0, 100, QStringLiteral("SUCESS"));
    removeOldFiles();
    appendLog(QStringLiteral("SENSOR UPGRADE FINISHED"));
    return true;
}

bool SensorVQ2Upgrader::takeLine() {
    SensorHandshake::clearLineReleased();
    Q_EMIT sigStopSensorUart(true);
    SerialSensor::setBSendingFromApplicationEnabled(false);
    const QString stars = QStringLiteral("******************************************");
    appendLog(stars);
    appendLog(QStringLiteral("      STARTING SENSOR UPGRADE"));
    appendLog(stars);
    qDebug() << "stop \"normal\" sensor NMEA (used from application)";
    const bool released = SensorHandshake::waitForLineReleased(kLineReleaseTimeout);
    pause(m_timing.lineHandOverMs);
    qDebug() << "start sensor uart (115200)";
    m_lineFailed = false;
    m_line = std::make_unique<SerialSensor>();
    if (!released || !m_line->init(kSensorLine, kWriteBaud, false)) {
        qDebug() << "Error, cannot open sensor uart for uppgrade";
        m_line.reset();
        SerialSensor::setBSendingFromApplicationEnabled(true);
        Q_EMIT sigStopSensorUart(false);
        return false;
    }
    return true;
}

void SensorVQ2Upgrader::giveLineBack() {
    // The logic restarts from its PROM, the new image or, after a failure, what is left.
    SendBinaryMessage(Disable_Config_PROM);
    discardReceived();
    buttonPROG_B();
    m_line.reset();
    qDebug() << "STOP sensor uart (115200) uuuuuuuuuuuuuuuuuuuuu";
    pause(m_timing.reloadMs);
    SerialSensor::setBSendingFromApplicationEnabled(true);
    Q_EMIT sigStopSensorUart(false);
}

bool SensorVQ2Upgrader::SendBinaryMessage(const QByteArray& bytes) {
    // Waits until the bytes have left: the pauses between the frames are the sensor's.
    if (m_line && m_line->sendByteArray(bytes, true) == bytes.size() &&
        m_line->waitUntilWritten(kWrittenTimeoutMs)) {
        return true;
    }
    qDebug() << "Error sending msg on sensor output" << Qt::endl;
    m_lineFailed = true;
    return false;
}

void SensorVQ2Upgrader::SendAsciiMessage(const QString& text) {
    SendBinaryMessage(text.toLatin1());
}

void SensorVQ2Upgrader::discardReceived() {
    if (m_line) {
        m_line->discast();
    }
    m_received.clear();
}

void SensorVQ2Upgrader::ShowRead() {
    m_received = m_line ? m_line->readAvaiable(kFrameSize, kReadTimeoutMs) : QByteArray();
    if (m_received.isEmpty()) {
        qDebug() << "Nothing received from sensor";
        return;
    }
    qDebug() << "OK, received: " << m_received.size() << " bytes form sensor";
}

void SensorVQ2Upgrader::buttonPROG_B() {
    discardReceived();
    SendBinaryMessage(Disable_Config_PROM);
    discardReceived();
    SendBinaryMessage(Reload_FPGA);
    discardReceived();
}

bool SensorVQ2Upgrader::EraseButtonClick() {
    discardReceived();
    SendBinaryMessage(Disable_Config_PROM);
    pause(kPromStepMs);
    discardReceived();
    SendBinaryMessage(Reload_FPGA);
    discardReceived();
    pause(kPromStepMs);
    SendBinaryMessage(Enable_Config_PROM);
    SendBinaryMessage(WREN);
    pause(kWrenMs);
    SendBinaryMessage(WRSR);
    pause(kPromStepMs);
    SendBinaryMessage(WREN);
    pause(kWrenMs);
    SendBinaryMessage(Erase_Config_PROM);
    pause(kPromStepMs);
    if (m_lineFailed || !CheckErasePROMStatus()) {
        return false;
    }
    SendBinaryMessage(Disable_Config_PROM);
    return !m_lineFailed;
}

bool SensorVQ2Upgrader::CheckErasePROMStatus() {
    for (int round = 0; round < kStatusRounds; ++round) {
        const QDeadlineTimer roundEnd(static_cast<qint64>(kStatusRoundMs));
        if (round % kWaitingReportEvery == 0) {
            report(1, 0, QStringLiteral("Waiting answer"));
        }
        discardReceived();
        if (!SendBinaryMessage(RDSR)) {
            return false;
        }
        ShowRead();
        if (m_received.size() > kStatusByte) {
            const quint8 status = w(static_cast<quint8>(m_received[kStatusByte]));
            if (status == kErasedStatus || status == kErasedStatusProtected) {
                qDebug() << "YES, CheckWritePROMStatus. iterations = " << round;
                return true;
            }
        }
        pause(static_cast<unsigned long>(roundEnd.remainingTime()));
    }
    qDebug() << "ERROR!!!, CheckErasePROMStatus error";
    return false;
}

void SensorVQ2Upgrader::prepareWriting() {
    SendBinaryMessage(Enable_Config_PROM);
    discardReceived();
    SendBinaryMessage(WRSR);
    pause(kStatusWrittenMs);
    discardReceived();
}

bool SensorVQ2Upgrader::writeImage(const QByteArray& image) {
    appendLog(QStringLiteral("STARTER SENDING OF FIRMWARE"));
    const qint64 size = image.size();
    const int pages = pageCountOf(size);
    quint32 reported = 0;
    for (int page = 0; page < pages; ++page) {
        SendBinaryMessage(WREN);
        pause(kPageMs);
        discardReceived();
        const qint64 sent = qMin(size, qint64(page + 1) * kPageSize);
        if (!SendBinaryMessage(WRITE(imagePage(image, page), page)) || m_lineFailed) {
            return false;
        }
        if (sent < qint64(page + 1) * kPageSize) {
            pause(kLastPageMs);
            qDebug() << "END: " << page << " total: " << sent;
            break;
        }
        pause(kPageMs);
        discardReceived();
        qDebug() << "SENT: " << page + 1 << " total: " << sent;
        const auto percent = static_cast<quint32>(sent * 100 / size);
        if (percent > reported) {
            reported = percent;
            report(0, percent, QString());
        }
    }
    return true;
}
