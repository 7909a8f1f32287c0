#include "sensortest.h"

#include "kc_40_adc_results.h"
#include "msgsnf.h"
#include "sensorcommandsthread.h"
#include "sensorhandshake.h"

#include <QDebug>
#include <QMutexLocker>

namespace {
constexpr int kSensorCurrentChannel = 7;

QString pulseLengthText(int pulseLength) {
    static const char* const kMs[] = {"1 ms", "2 ms", "4 ms"};
    return QLatin1String(pulseLength >= 0 && pulseLength < 3 ? kMs[pulseLength] : "8 ms");
}
} // namespace

SensorTest::SensorTest(KC_40_ADC_Results& adc, Waits waits, QObject* parent)
    : RunableDiagnosticTest(QStringLiteral("Sensor test"), parent), m_adc(adc), m_waits(waits) {}

void SensorTest::setSnfReceived(bool received) {
    if (received) {
        m_answered.set();
    } else {
        m_answered.clear();
    }
}

void SensorTest::setFacts(const SensorFacts& facts) {
    QMutexLocker lock(&m_factsLock);
    m_facts = facts;
}

void SensorTest::stop() {
    m_stopping = true;
    m_answered.set();
}

SensorFacts SensorTest::facts() const {
    QMutexLocker lock(&m_factsLock);
    return m_facts;
}

// The sensor takes commands only in the pause after its data sentence.
bool SensorTest::askSensor() {
    setSnfReceived(false);
    for (int attempt = 0; attempt < m_waits.attempts && !m_stopping; ++attempt) {
        SensorHandshake::clearDatReceived();
        SensorHandshake::waitForDat(m_waits.forData);
        Q_EMIT sigSendOnNmeaOutput(SensorCommandsThread::kSensorChannel,
                                   std::make_shared<MsgSNF>(1));
        qDebug() << "**Sent SNF to sensor";
        const bool answered = m_answered.waitFor(true, m_waits.forAnswer);
        qDebug() << "**Wait finished";
        if (answered && !m_stopping) {
            return true;
        }
    }
    return false;
}

DiagnosticsTest SensorTest::runTest(bool) {
    DiagnosticsTest test;
    test.testName = getTestName();
    test.testStatus = DiagnosticsTest::kPassed;
    if (askSensor()) {
        test.addComment(QStringLiteral("SENSOR"), QStringLiteral("OK: COMM"));
    } else {
        test.testStatus = DiagnosticsTest::kFailed;
        test.addComment(QStringLiteral("SENSOR"), QStringLiteral("ERR: NO COM"));
    }
    // Without the ADC there is no current to judge: a zero would read as a healthy sensor.
    if (!m_adc.getADC_I2C_Status()) {
        test.testStatus = DiagnosticsTest::kFailed;
        test.addComment(QStringLiteral("SENS CURR"), QStringLiteral("ERR: NO I2C"));
    } else {
        const bool ok = m_adc.getADC_Res(kSensorCurrentChannel);
        if (!ok) {
            test.testStatus = DiagnosticsTest::kFailed;
        }
        test.addComment(QStringLiteral("SENS CURR"),
                        (ok ? QStringLiteral("OK: ") : QStringLiteral("ERR: ")) +
                            QString::number(m_adc.getADC_Meas(kSensorCurrentChannel), 'f', 1) +
                            QStringLiteral(" mA"));
    }
    test.addComment(QStringLiteral("OK Nmea count"),
                    QString::number(m_adc.getOK_sensor_NMEA_count()));
    test.addComment(QStringLiteral("NOK Nmea count"),
                    QString::number(m_adc.getNOK_sensor_NMEA_count()));
    const SensorFacts sensor = facts();
    test.addComment(QStringLiteral("Serial number"), sensor.serialNumber);
    test.addComment(QStringLiteral("Hardware revision"), sensor.hardwareRevision);
    test.addComment(QStringLiteral("Firmware revision"), sensor.firmwareRevision);
    test.addComment(QStringLiteral("SOG frequency"), sensor.sogFrequency);
    test.addComment(QStringLiteral("STW frequency"),
                    sensor.stwFrequencyHigh ? QStringLiteral("HIGH") : QStringLiteral("LOW"));
    test.addComment(QStringLiteral("High resonance 890"), sensor.usedFrequencySource);
    test.addComment(QStringLiteral("SOG pulse length"),
                    pulseLengthText(sensor.waterTrackPulseLength));
    return test;
}

DiagnosticsTest SensorTest::getDefaultTestData() const {
    return notTested(QStringLiteral("SENSOR"));
}
