#include "sensorcommandsthread.h"

#include "logger.h"
#include "nmeaparser.h"
#include "sensorhandshake.h"
#include "serialsensor.h"
#include "vq2_handler.h"

#include <QDebug>
#include <QThread>

namespace {
const QString kSensorLine = QStringLiteral("ttyS3");
constexpr int kRawBaud = 115200;
const QString kSimulationMasks[] = {QStringLiteral("1000"), QStringLiteral("1010"),
                                    QStringLiteral("1100"), QStringLiteral("1110")};
} // namespace

SensorVQ2RawDataReader::~SensorVQ2RawDataReader() = default;

NmeaMessagePtr SensorVQ2RawDataReader::startCommand(int settings) {
    const int d1 = settings / 1000 % 10;
    const int d2 = settings / 100 % 10;
    const int d3 = settings / 10 % 10;
    const int d4 = settings % 10;
    const int mode = 2 * d4 + d1;
    const int power = 3 - 2 * d2 - d3;
    qDebug() << "settings: " << settings << mode << power;
    return VQ2_Handler::createRawDataCFGmsg(mode, power);
}

NmeaMessagePtr SensorVQ2RawDataReader::stopCommand() {
    return VQ2_Handler::createRawDataCFGmsg(0, 3);
}

void SensorVQ2RawDataReader::write(const QByteArray& bytes) {
    // Written as bytes: in raw-data mode no echo can come, so nothing is repeated.
    if (!m_line || m_line->sendByteArray(bytes, true) <= 0) {
        qDebug() << "Error sending msg on sensor output" << Qt::endl;
    }
}

void SensorVQ2RawDataReader::start(int settings) {
    if (m_active || m_awaitingLine) {
        return;
    }
    const NmeaMessagePtr command = startCommand(settings);
    m_settings = settings;
    m_startCommand = command->getMsgBuffer().toLatin1();
    m_awaitingLine = true;
    Q_EMIT sigSendOnNmeaOutput(SensorCommandsThread::kSensorChannel, command);
    Q_EMIT sigStopSensorUart(true);
}

void SensorVQ2RawDataReader::lineReleased() {
    if (!m_awaitingLine) {
        return;
    }
    m_awaitingLine = false;
    m_active = true;
    m_line = std::make_unique<SerialSensor>();
    connect(m_line.get(), &SerialSensor::sigSendBinaryToUDP, this,
            &SensorVQ2RawDataReader::sigSendBinaryToUDP);
    qDebug() << "start sensor uart (115200)";
    if (!m_line->init(kSensorLine, kRawBaud, true)) {
        Logger::instance()->append(QStringLiteral("Error, cannot open sensor uart for uppgrade"),
                                   Logger::LOG_ERROR);
        m_line.reset();
        m_active = false;
        Q_EMIT sigStopSensorUart(false);
        return;
    }
    m_line->setRawMeasurementSettings(m_settings);
    m_line->setRAWDataMode(true);
    write(QByteArrayLiteral("1234567890"));
    write(m_startCommand);
    QThread::msleep(static_cast<unsigned long>(m_timing.settleAfterStartMs));
}

void SensorVQ2RawDataReader::stop() {
    if (m_awaitingLine) {
        // Stopped before the line was handed over: the normal line comes back at once.
        m_awaitingLine = false;
        Q_EMIT sigStopSensorUart(false);
        return;
    }
    if (!m_active) {
        return;
    }
    m_active = false;
    write(stopCommand()->getMsgBuffer().toLatin1());
    m_line.reset();
    QThread::msleep(static_cast<unsigned long>(m_timing.afterCloseMs));
    // Leaving raw-data mode gives the line back to the rest of the unit.
    SerialSensor::setBSendingFromApplicationEnabled(true);
    QThread::msleep(static_cast<unsigned long>(m_timing.beforeReopenMs));
    Q_EMIT sigStopSensorUart(false);
}

SensorCommandsThread::SensorCommandsThread(QObject* parent)
    : QObject(parent), m_rawReader(this), m_upgrader(this) {
    qRegisterMetaType<SensorConfiguration>();
    connect(&m_rawReader, &SensorVQ2RawDataReader::sigSendOnNmeaOutput, this,
            &SensorCommandsThread::sigSendOnNmeaOutput);
    connect(&m_rawReader, &SensorVQ2RawDataReader::sigStopSensorUart, this,
            &SensorCommandsThread::sigStopSensorUart);
    connect(&m_rawReader, &SensorVQ2RawDataReader::sigSendBinaryToUDP, this,
            &SensorCommandsThread::sigSendBinaryToUDP);
    connect(&m_upgrader, &SensorVQ2Upgrader::sigStopSensorUart, this,
            &SensorCommandsThread::sigStopSensorUart);
    connect(&m_upgrader, &SensorVQ2Upgrader::sigSendUdp, this,
            &SensorCommandsThread::sigSendSingleOnUdpOutput);
}

SensorCommandsThread::~SensorCommandsThread() = default;

bool SensorCommandsThread::sendToSensor(const NmeaMessagePtr& message, bool waitForAnswer) {
    SensorHandshake::setMessageIsBeingSent();
    Q_EMIT sigSendOnNmeaOutput(kSensorChannel, message);
    if (!waitForAnswer) {
        SensorHandshake::clearMessageIsBeingSent(true);
        return true;
    }
    return SensorHandshake::waitForAnswer(kAnswerTimeout);
}

bool SensorCommandsThread::waitForDAT(int rounds) {
    SensorHandshake::clearDatReceived();
    if (rounds > 0 && SensorHandshake::waitForDat(kDatTimeout)) {
        qDebug() << "DAT received";
        SensorHandshake::clearDatReceived();
        return true;
    }
    qDebug() << "giv up waiting DAT";
    return false;
}

bool SensorCommandsThread::sendAfterDat(const NmeaMessagePtr& message) {
    if (!waitForDAT(1)) {
        return false;
    }
    qDebug() << "**SENDING: " << message->getMsgBuffer();
    return sendToSensor(message, true);
}

bool SensorCommandsThread::sendConfig(const SensorConfiguration& configuration, int powerLevel,
                                      const QString& formats) {
    return sendAfterDat(VQ2_Handler::createCFGmsg(configuration, 4, formats, powerLevel));
}

void SensorCommandsThread::slotSendInitialConfig(const SensorConfiguration& configuration) {
    sendConfig(configuration, 1, QStringLiteral("1110"));
}

void SensorCommandsThread::slotSendConfig(const SensorConfiguration& configuration) {
    sendConfig(configuration, configuration.waterTrackPowerLevel, QStringLiteral("1110"));
}

bool SensorCommandsThread::runSimulationStart(const float speeds[4],
                                              const SensorConfiguration& configuration) {
    for (int i = 0; i < 4; ++i) {
        const QString& mask = kSimulationMasks[i];
        const NmeaMessagePtr cfg =
            VQ2_Handler::createCFGmsg(configuration, 4, mask, configuration.waterTrackPowerLevel);
        const NmeaMessagePtr tst = VQ2_Handler::createTESTmsg(4, speeds[i], true, mask);
        if (!sendAfterDat(cfg) || !sendAfterDat(tst)) {
            Logger::instance()->append(QStringLiteral("Simultion start failed"),
                                       Logger::LOG_WARNING);
            Q_EMIT sigSimulationResponse(false);
            return false;
        }
    }
    Logger::instance()->append(QStringLiteral("Simultion started"), Logger::LOG_INFO);
    Q_EMIT sigSimulationResponse(true);
    return true;
}

void SensorCommandsThread::runSimulationStop() {
    qDebug() << "**STOP SIMULATOR";
    sendAfterDat(VQ2_Handler::createTESTmsg(4, 0.0f, false, QStringLiteral("1000")));
    Q_EMIT sigSimulationResponse(true);
}

void SensorCommandsThread::slotStartSimulator(bool stop, bool start, float s1, float s2, float s3,
                                              float s4, const SensorConfiguration& configuration) {
    const float speeds[4] = {s1, s2, s3, s4};
    if (!stop && start && runSimulationStart(speeds, configuration)) {
        return;
    }
    runSimulationStop();
}

void SensorCommandsThread::slotStartVQ2RawDataReading(int settings) {
    m_rawReader.start(settings);
}

void SensorCommandsThread::slotSensorLineReleased() {
    m_rawReader.lineReleased();
}

void SensorCommandsThread::slotStopVQ2RawDataReading() {
    m_rawReader.stop();
}

void SensorCommandsThread::slotStartSensorUpgrade() {
    if (m_rawReader.ownsLine() || m_upgradeStarted.exchange(true)) {
        return;
    }
    if (m_upgrader.sensorUpgradeFileExist()) {
        const QString image = m_upgrader.getFirmwareFilePath();
        if (m_upgrader.imageSettled(image)) {
            m_upgrader.startUpgrade(image);
        }
    }
    m_upgradeStarted = false;
}
