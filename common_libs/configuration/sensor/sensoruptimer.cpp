#include "sensoruptimer.h"

SensorUpTimer::SensorUpTimer(QObject* parent)
    : QObject(parent), SetupRecord(QStringLiteral("sensor_timer")) {
    readSetup();
}

void SensorUpTimer::getDefaults(int) {
    m_s = SensorUpTimer_S{};
    writeSetup();
}

void SensorUpTimer::slotIncMsgCount(int messages) {
    m_delta += messages;
    int count = m_s.msgCount + messages;
    if (count > kMessagesPerRollover - 1) {
        m_s.hourCount += kHoursPerRollover;
        count -= kMessagesPerRollover;
    }
    m_s.msgCount = count;
    if (count % kMessagesPerSave == 0) {
        writeSetup();
    }
}

QString SensorUpTimer::getUpTime() const {
    const int seconds = static_cast<int>(m_s.msgCount * 0.56);
    return QStringLiteral("%1:%2:%3")
        .arg(m_s.hourCount + seconds / 3600)
        .arg(seconds % 3600 / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void SensorUpTimer::setSerialNumber(const QString& serialNumber) {
    if (serialNumber != m_s.serialNumber) {
        m_s.msgCount = 0;
        m_s.hourCount = 0;
        m_delta = 0;
    }
    m_s.serialNumber = serialNumber;
    writeSetup();
}
