#include "mainhandler.h"

#include "logger.h"
#include "receivednmeahandler.h"

namespace {
// The channel setup record sets these rates; until it is read, every NMEA channel starts at
// the ship's standard 4800 baud.
constexpr int kDefaultChannelBaud = 4800;
constexpr int kSensorBaud = 4800;
constexpr int kDebugBaud = 115200;
} // namespace

MainHandler::MainHandler(QObject* parent)
    : QObject(parent), receivedNmeaHandler(new ReceivedNmeaHandler(this)) {
    qRegisterMetaType<NmeaMessagePtr>("NmeaMessagePtr");
    initSerial();
    serialReaderNmea_1.enableReceiving(true);
    serialReaderNmea_2.enableReceiving(true);
    serialReaderSensor.enableReceiving(true);
}

MainHandler::~MainHandler() = default;

int MainHandler::lineBaudRate(int configured) {
    return SerialReader::validateBaudRate(configured) ? configured : kDefaultChannelBaud;
}

void MainHandler::initSerial() {
    connect(&serialReaderNmea_1, &SerialReader::receivedSerialNmea, this,
            &MainHandler::handleNmea_1_message);
    connect(&serialReaderNmea_2, &SerialReader::receivedSerialNmea, this,
            &MainHandler::handleNmea_2_message);
    connect(&serialReaderSensor, &SerialReader::receivedSerialNmea, this,
            &MainHandler::handleSensor_message);

    openLine(serialReaderNmea_1, QStringLiteral("ttyS1"), lineBaudRate(kDefaultChannelBaud));
    openLine(serialReaderNmea_2, QStringLiteral("ttyS2"), lineBaudRate(kDefaultChannelBaud));
    openLine(serialReaderSensor, QStringLiteral("ttyS3"), kSensorBaud);
    openLine(serialReaderDbgu, QStringLiteral("ttyS0"), kDebugBaud, false);
}

bool MainHandler::openLine(SerialReader& reader, const QString& name, int baudRate,
                           bool connectReceive) {
    if (reader.init(name, baudRate, connectReceive)) {
        return true;
    }
    Logger::instance()->append(QStringLiteral("Serial line ") + name +
                                   QStringLiteral(" is not available; running without it"),
                               Logger::LOG_ERROR);
    return false;
}

void MainHandler::slotChannelBaudChanged(const QString& channel, int baudRate) {
    if (!SerialReader::validateBaudRate(baudRate)) {
        return;
    }
    if (channel == QLatin1String("Nmea_1")) {
        openLine(serialReaderNmea_1, QStringLiteral("ttyS1"), baudRate);
    } else if (channel == QLatin1String("Nmea_2")) {
        openLine(serialReaderNmea_2, QStringLiteral("ttyS2"), baudRate);
    }
}

void MainHandler::handleNmea_1_message(NmeaMessagePtr message) {
    receivedNmeaHandler->handleReceived(message, 1);
}

void MainHandler::handleNmea_2_message(NmeaMessagePtr message) {
    receivedNmeaHandler->handleReceived(message, 2);
}

void MainHandler::handleSensor_message(NmeaMessagePtr message) {
    if (!message->receivedText().contains(QLatin1String("DAT"))) {
        Logger::instance()->append(QStringLiteral("From sensor: ") + message->receivedText(),
                                   Logger::LOG_DEBUG);
    }
    receivedNmeaHandler->handleMessages(message, -1);
}
