#include "serialsensor.h"

#include "logger.h"
#include "nmeaparser.h"
#include "platform.h"
#include "sensorhandshake.h"

#include <QDeadlineTimer>

#include <QDebug>
#include <termios.h>

namespace {
// A line with no line feed for this long is not a sentence of the sensor.
constexpr qsizetype kMaxSentenceBuffer = 1024;
constexpr int kDrainMs = 1000;
} // namespace

SerialSensor::SerialSensor(QObject* parent)
    : QObject(parent), framer(kMaxSentenceBuffer), cfgRepeatTimer(this), reopenTimer(this),
      muteRepeatTimer(this) {
    reopenTimer.setSingleShot(true);
    reopenTimer.setInterval(kReopenIntervalMs);
    connect(&reopenTimer, &QTimer::timeout, this, &SerialSensor::reopen);
    cfgRepeatTimer.setSingleShot(true);
    cfgRepeatTimer.setInterval(kRepeatIntervalMs);
    connect(&cfgRepeatTimer, &QTimer::timeout, this, &SerialSensor::repeatCFG);
    muteRepeatTimer.setInterval(kMuteIntervalMs);
    connect(&muteRepeatTimer, &QTimer::timeout, this, &SerialSensor::repeatMuteRequest);
}

SerialSensor::~SerialSensor() {
    close();
}

bool SerialSensor::validateBaudRate(int baudRate) {
    return baudRate == 4800 || baudRate == 38400 || baudRate == 115200;
}

bool SerialSensor::init(const QString& name, int baudRate, bool connectReceive) {
    if (!validateBaudRate(baudRate)) {
        return false;
    }
    Logger::instance()->append(QStringLiteral("OPEN SENSOR PORT WITH: ") +
                                   QString::number(baudRate) + QStringLiteral(" baud"),
                               Logger::LOG_INFO);
    if (port) {
        close();
    }
    lineName = name;
    lineBaud = baudRate;
    lineReceives = connectReceive;
    uartDevicePath = Platform::serialDevice(name);
    port = std::make_unique<QSerialPort>();
    port->setPortName(uartDevicePath);
    port->setBaudRate(baudRate);
    port->setFlowControl(QSerialPort::NoFlowControl);
    port->setParity(QSerialPort::NoParity);
    port->setDataBits(QSerialPort::Data8);
    port->setStopBits(QSerialPort::OneStop);
    if (!port->open(QIODevice::ReadWrite)) {
        Logger::instance()->append(QStringLiteral("Error opening port: ") + uartDevicePath,
                                   Logger::LOG_ERROR);
        port.reset();
        writable = false;
        return false;
    }
    if (connectReceive) {
        connect(port.get(), &QSerialPort::readyRead, this, &SerialSensor::slottReadNmeaPacket);
    }
    connect(port.get(), &QSerialPort::errorOccurred, this, &SerialSensor::lineFailed);
    framer.clear();
    rawData.clear();
    Logger::instance()->append(QStringLiteral("Opened port for reading: ") + uartDevicePath,
                               Logger::LOG_INFO);
    writable = true;
    return true;
}

void SerialSensor::close() {
    writable = false;
    reopenTimer.stop();
    if (!port) {
        return;
    }
    port->disconnect(this);
    // Let what was written last (a command to the sensor) leave the line before closing.
    port->waitForBytesWritten(kDrainMs);
    ::tcdrain(static_cast<int>(port->handle()));
    port->close();
    Logger::instance()->append(QStringLiteral("Closed port ") + uartDevicePath, Logger::LOG_INFO);
    port.reset();
}

void SerialSensor::lineFailed(QSerialPort::SerialPortError error) {
    // A line whose device has gone reads nothing (or fails) although it was said to be ready,
    // and would say so on every turn of the event loop: it is closed at once, without a drain
    // (nothing leaves a line that has gone), and replaced from the timer: never deleted inside
    // its own signal.
    if ((error != QSerialPort::ResourceError && error != QSerialPort::ReadError) ||
        reopenTimer.isActive()) {
        return;
    }
    writable = false;
    port->disconnect(this);
    port->close();
    Logger::instance()->append(QStringLiteral("Sensor line lost: ") + uartDevicePath +
                                   QStringLiteral("; opening it again"),
                               Logger::LOG_ERROR);
    reopenTimer.start();
}

void SerialSensor::reopen() {
    port.reset();
    if (!init(lineName, lineBaud, lineReceives)) {
        reopenTimer.start();
    }
}

int SerialSensor::sendMessage(const QString& text, bool forceSend) {
    if (text.contains(QLatin1String("CFG")) || text.contains(QLatin1String("TST"))) {
        CFG_repetition_count = 0;
        CFG_to_repeat = text;
        CFG_repeat_top_level = forceSend;
        cfgRepeatTimer.start();
    }
    Logger::instance()->append(QStringLiteral("--> ") + text, Logger::LOG_INFO);
    return sendByteArray(text.toLatin1(), forceSend);
}

int SerialSensor::sendByteArray(const QByteArray& bytes, bool forceSend) {
    if ((!bSendingFromApplicationEnabled && !forceSend) || !writable || !port) {
        return 0;
    }
    const qint64 written = port->write(bytes);
    // Out at once: commands are timed against the sensor's DAT sentences.
    port->flush();
    return written < 0 ? 0 : static_cast<int>(written);
}

void SerialSensor::repeatCFG() {
    ++CFG_repetition_count;
    if (CFG_repetition_count < kMaxWrites) {
        // Written directly: sendMessage would restart the count and the repeats never end.
        Logger::instance()->append(QStringLiteral("--> ") + CFG_to_repeat, Logger::LOG_INFO);
        sendByteArray(CFG_to_repeat.toLatin1(), CFG_repeat_top_level);
        cfgRepeatTimer.start();
        return;
    }
    Logger::instance()->append(QStringLiteral("No answer from sensor to ") + CFG_to_repeat,
                               Logger::LOG_WARNING);
    stopRepeating(false);
}

void SerialSensor::stopRepeating(bool answered) {
    cfgRepeatTimer.stop();
    SensorHandshake::clearMessageIsBeingSent(answered);
    CFG_to_repeat.clear();
    CFG_repeat_top_level = false;
    CFG_repetition_count = 0;
}

void SerialSensor::requestMute(bool mute) {
    muteRequest = QByteArray("$") + (mute ? kMuteByte : kUnmuteByte) + QByteArray("$");
    muteOn = !mute;
    waitForMute = true;
    muteWrites = 0;
    repeatMuteRequest();
    muteRepeatTimer.start();
}

void SerialSensor::repeatMuteRequest() {
    if (!waitForMute || muteWrites >= kMaxMuteWrites) {
        muteRepeatTimer.stop();
        return;
    }
    ++muteWrites;
    sendByteArray(muteRequest, false);
}

void SerialSensor::setRAWDataMode(bool on) {
    rawDATAMode = on;
    rawDataFirstStart = true;
    bSendingFromApplicationEnabled = !on;
}

QByteArray SerialSensor::readAvaiable(int maxCount, int timeoutMs) {
    if (!port) {
        return {};
    }
    QDeadlineTimer deadline(timeoutMs);
    while (port->bytesAvailable() < maxCount && !deadline.hasExpired()) {
        if (!port->waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            break;
        }
    }
    return port->read(maxCount);
}

bool SerialSensor::waitUntilWritten(int timeoutMs) {
    if (!port) {
        return false;
    }
    QDeadlineTimer deadline(timeoutMs);
    while (port->bytesToWrite() > 0) {
        if (deadline.hasExpired() ||
            !port->waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) {
            return false;
        }
    }
    return true;
}

void SerialSensor::discast() {
    if (port) {
        port->readAll();
    }
}

void SerialSensor::slottReadNmeaPacket() {
    const QByteArray bytes = port->readAll();
    if (rawDATAMode) {
        receiveRAWDataMode(bytes);
    } else {
        receiveNormalMode(bytes);
    }
}

bool SerialSensor::checkMuteAnswer(const QByteArray& bytes) {
    if (!waitForMute || !bytes.contains(muteOn ? kUnmuteByte : kMuteByte)) {
        return false;
    }
    waitForMute = false;
    muteRepeatTimer.stop();
    muteOn = !muteOn;
    Q_EMIT sigSynchConfirmed(muteOn);
    return true;
}

void SerialSensor::receiveNormalMode(const QByteArray& bytes) {
    if (checkMuteAnswer(bytes)) {
        return;
    }
    const SentenceFramer::Result framed = framer.append(bytes);
    if (!framed.rejected.isEmpty()) {
        Logger::instance()->append(QStringLiteral("Rejected from sensor: ") + framed.rejected,
                                   Logger::LOG_ERROR);
    }
    if (framed.overflowed > 0) {
        Logger::instance()->append(QStringLiteral("Unterminated input from sensor dropped: ") +
                                       QString::number(framed.overflowed) +
                                       QStringLiteral(" characters"),
                                   Logger::LOG_WARNING);
    }
    for (const QString& sentence : framed.sentences) {
        checkAnswer(sentence);
        handleSentence(sentence);
    }
}

void SerialSensor::checkAnswer(const QString& sentence) {
    if (!cfgRepeatTimer.isActive()) {
        return;
    }
    const auto answers = [&](QLatin1String kind) {
        return sentence.contains(kind) && CFG_to_repeat.contains(kind);
    };
    if (answers(QLatin1String("CFG")) || answers(QLatin1String("TST"))) {
        stopRepeating(true);
    }
}

bool SerialSensor::isSignOfLife(const NmeaMessage& message, const QString& sentence) const {
    if (message.messageType() != QLatin1String("DAT")) {
        return false;
    }
    return m_onlyDAT4 || sentence.section(QLatin1Char(','), 1, 1) == QLatin1String("5");
}

void SerialSensor::handleSentence(const QString& sentence) {
    NmeaMessagePtr message = NmeaParser::parse(sentence);
    if (message->errorType() != NO_ERROR) {
        // A damaged sentence is only logged and counted: it is neither a sign of life nor
        // a measurement.
        ++m_badCount;
        qDebug() << "Error NMEA: " << sentence << " Error ID: " << message->errorType();
        Logger::instance()->appendNmeaError(QStringLiteral("Invalid msg from sensor"), sentence,
                                            message->errorType());
        Q_EMIT receivedInvalidDataFromSensor();
        return;
    }
    ++m_goodCount;
    Logger::instance()->append(QStringLiteral("<-- ") + sentence, Logger::LOG_INFO);
    Q_EMIT receivedValidDataFromSensor();
    if (isSignOfLife(*message, sentence)) {
        SensorHandshake::setDatReceived();
    }
    if (bReceivingEnabled) {
        Q_EMIT receivedSerialNmea(message);
    }
}

void SerialSensor::receiveRAWDataMode(const QByteArray& bytes) {
    if (rawDataFirstStart) {
        // What waits at the switch still belongs to the sentence stream.
        rawDataFirstStart = false;
        rawData.clear();
        return;
    }
    const QByteArray prefix = QByteArray::number(rawMeasurementSettings);
    for (const QByteArray& body : rawData.append(bytes)) {
        const QByteArray frame = prefix + body + '\n';
        Q_EMIT sigSendBinaryToUDP(frame);
        qDebug() << "raw frame" << frame.size();
    }
}
