#include "seriallines.h"

#include "channels/outpu_channels_setup.h"
#include "logger.h"
#include "sensorcommandsthread.h"
#include "sensorhandshake.h"

namespace {
constexpr int kSensorBaud = 4800;
constexpr int kDebugBaud = 115200;
const QString kNmea1 = QStringLiteral("Nmea_1");
const QString kNmea2 = QStringLiteral("Nmea_2");

void reportMissing(const QString& name) {
    Logger::instance()->append(QStringLiteral("Serial line ") + name +
                                   QStringLiteral(" is not available; running without it"),
                               Logger::LOG_ERROR);
}
} // namespace

// The debug line talks to nothing: it is not one of the handler's children.
SerialLines::SerialLines(QObject* parent)
    : QObject(parent), m_nmea1(this), m_nmea2(this), m_sensor(this) {
    connect(&m_nmea1, &SerialReader::receivedSerialNmea, this,
            [this](NmeaMessagePtr message) { Q_EMIT sigChannelSentence(message, kSourceNmea1); });
    connect(&m_nmea2, &SerialReader::receivedSerialNmea, this,
            [this](NmeaMessagePtr message) { Q_EMIT sigChannelSentence(message, kSourceNmea2); });
    connect(&m_sensor, &SerialSensor::receivedSerialNmea, this, [this](NmeaMessagePtr message) {
        if (!message->receivedText().contains(QLatin1String("DAT"))) {
            Logger::instance()->append(QStringLiteral("From sensor: ") + message->receivedText(),
                                       Logger::LOG_DEBUG);
        }
        Q_EMIT sigSensorSentence(message);
    });
}

void SerialLines::open(const Outpu_Channels_Setup& channels) {
    openLine(m_nmea1, QStringLiteral("ttyS1"),
             SerialReader::lineBaudRate(channels.getChannelBaudRate(kNmea1)));
    openLine(m_nmea2, QStringLiteral("ttyS2"),
             SerialReader::lineBaudRate(channels.getChannelBaudRate(kNmea2)));
    slotStopSensorUart(false);
    openLine(m_debug, QStringLiteral("ttyS0"), kDebugBaud, false);
    m_nmea1.enableReceiving(true);
    m_nmea2.enableReceiving(true);
    m_sensor.enableReceiving(true);
}

bool SerialLines::openLine(SerialReader& reader, const QString& name, int baudRate,
                           bool connectReceive) {
    if (reader.init(name, baudRate, connectReceive)) {
        return true;
    }
    reportMissing(name);
    return false;
}

void SerialLines::slotChannelBaudChanged(const QString& channel, int baudRate) {
    if (!SerialReader::validateBaudRate(baudRate)) {
        return;
    }
    if (channel == kNmea1) {
        openLine(m_nmea1, QStringLiteral("ttyS1"), baudRate);
    } else if (channel == kNmea2) {
        openLine(m_nmea2, QStringLiteral("ttyS2"), baudRate);
    }
}

void SerialLines::slotSendToSensor(int channel, NmeaMessagePtr message) {
    if (channel == SensorCommandsThread::kSensorChannel) {
        m_sensor.sendMessage(message->getMsgBuffer(), false);
    }
}

void SerialLines::slotStopSensorUart(bool stop) {
    if (stop) {
        m_sensor.close();
        // The firmware upgrade blocks its thread while it waits for the line.
        SensorHandshake::setLineReleased();
        Q_EMIT sigSensorLineReleased();
        return;
    }
    if (!m_sensor.init(QStringLiteral("ttyS3"), kSensorBaud, true)) {
        reportMissing(QStringLiteral("ttyS3"));
    }
}
