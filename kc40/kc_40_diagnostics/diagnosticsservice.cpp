#include "diagnosticsservice.h"

#include "landiagtest.h"
#include "sensorinfo.h"
#include "systemsetup.h"
#include "voltagetest.h"
#include "vq2_handler.h"

namespace {
void sleepOnThisThread(std::chrono::milliseconds time) {
    QThread::msleep(static_cast<unsigned long>(time.count()));
}
} // namespace

DiagnosticsService::DiagnosticsService(KC_40_ADC_Results& adc, SystemSetup& setup, QObject* parent)
    : QObject(parent), m_setup(setup), m_sensorTest(new SensorTest(adc, SensorTest::Waits{})) {
    m_thread.setObjectName(QStringLiteral("diagnostics"));
    m_diagnostics = new KC_40_Diagnostics(
        {new VoltageTest(adc), new LanDiagTest(&Platform::interfaceTraffic, sleepOnThisThread),
         m_sensorTest},
        sleepOnThisThread);
    m_diagnostics->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_diagnostics, &QObject::deleteLater);
    connect(this, &DiagnosticsService::sigRunTest, m_diagnostics,
            &KC_40_Diagnostics::slotDiagnosticsTest);
    connect(this, &DiagnosticsService::sigGetAllDefaults, m_diagnostics,
            &KC_40_Diagnostics::getAllDefaults);
    connect(m_diagnostics, &KC_40_Diagnostics::sigSendGroupOnUdpOutput, this,
            &DiagnosticsService::sigSendGroupOnUdpOutput);
    connect(m_diagnostics, &KC_40_Diagnostics::sigSendSingleOnUdp, this,
            &DiagnosticsService::sigSendSingleOnUdp);
    connect(m_sensorTest, &SensorTest::sigSendOnNmeaOutput, this,
            &DiagnosticsService::sigSendOnNmeaOutput);
    m_thread.start();
}

DiagnosticsService::~DiagnosticsService() {
    m_sensorTest->stop();
    m_thread.quit();
    m_thread.wait();
}

void DiagnosticsService::slotDiagnosticsTest(const QString& testName, const QString& parameter) {
    m_sensorTest->setFacts(currentSensorFacts());
    Q_EMIT sigRunTest(testName, parameter);
}

void DiagnosticsService::slotSensorAnswered() {
    m_sensorTest->setFacts(currentSensorFacts());
    m_sensorTest->setSnfReceived(true);
}

void DiagnosticsService::slotSendDefaults() {
    Q_EMIT sigGetAllDefaults();
}

SensorFacts DiagnosticsService::currentSensorFacts() const {
    const SensorInfo* sensor = SensorInfo::getInstance();
    return {sensor->serialNumber,
            sensor->hardwareRev,
            sensor->firmwereRev,
            sensor->frequencyHiLow,
            m_setup.Vq2Setup.values().primaryFrequencyHigh,
            sensor->usedFrequencySource,
            VQ2::getInstance()->nWaterTrackPulseLength};
}
