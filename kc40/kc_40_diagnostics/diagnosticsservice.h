#pragma once

#include "kc_40_diagnostics.h"
#include "nmeamessage.h"
#include "sensortest.h"

#include <QObject>
#include <QThread>

#include <atomic>

class KC_40_ADC_Results;
class SystemSetup;

// The self tests seen from the main thread. They run on a thread of their own, since the
// sensor test blocks for seconds while the unit must keep sending. Requests, and the facts
// about the sensor the tests report, are taken here on the main thread and passed on as
// values; results come back as sentences for the display and requests for the sensor line.
class DiagnosticsService : public QObject {
    Q_OBJECT
public:
    DiagnosticsService(KC_40_ADC_Results& adc, SystemSetup& setup, QObject* parent = nullptr);
    ~DiagnosticsService() override;

    // The tests' own object, on the diagnostics thread.
    KC_40_Diagnostics* diagnostics() const { return m_diagnostics; }

public Q_SLOTS:
    void slotDiagnosticsTest(const QString& testName, const QString& parameter);
    // The sensor answered: a waiting sensor test goes on at once.
    void slotSensorAnswered();
    void slotSendDefaults();

Q_SIGNALS:
    void sigSendGroupOnUdpOutput(QList<NmeaMessagePtr> messages);
    void sigSendSingleOnUdp(NmeaMessagePtr message);
    // A request for the sensor line.
    void sigSendOnNmeaOutput(int channel, NmeaMessagePtr message);
    // To the diagnostics thread.
    void sigRunTest(const QString& testName, const QString& parameter);
    void sigGetAllDefaults();

private:
    SensorFacts currentSensorFacts() const;

    SystemSetup& m_setup;
    QThread m_thread;
    SensorTest* m_sensorTest;
    KC_40_Diagnostics* m_diagnostics;
};
