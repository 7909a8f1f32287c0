#pragma once

#include "nmeamessage.h"
#include "runablediagnostictest.h"
#include "signalledflag.h"

#include <QMutex>

#include <atomic>
#include <chrono>

class KC_40_ADC_Results;

// What the sensor test reports about the sensor besides its answer: its identity from its SNF,
// and the frequencies and pulse length the unit runs it with. These live on the main thread,
// which hands a copy over whenever they may have changed.
struct SensorFacts {
    QString serialNumber;
    QString hardwareRevision;
    QString firmwareRevision;
    // "HI" or "LOW", as the sensor reports its ground-track frequency.
    QString sogFrequency;
    bool stwFrequencyHigh = true;
    // Where the sensor took its frequency from: "Config", "EEPROM" or "Default".
    QString usedFrequencySource;
    int waterTrackPulseLength = 3;
};

// Whether the sensor talks: up to ten times, right after one of its data sentences (when it
// listens), the unit asks it for its information (SNF) and waits for an answer. Then the
// sensor's current draw, the count of good and bad sentences since the last test, and the
// sensor's facts. Blocks the diagnostics thread for up to ten times the two waits.
class SensorTest : public RunableDiagnosticTest {
    Q_OBJECT
public:
    struct Waits {
        std::chrono::milliseconds forData{900};
        std::chrono::milliseconds forAnswer{300};
        int attempts = 10;
    };

    SensorTest(KC_40_ADC_Results& adc, Waits waits, QObject* parent = nullptr);

    DiagnosticsTest runTest(bool send) override;
    DiagnosticsTest getDefaultTestData() const override;

    // From the main thread: the sensor answered (SNF or the echo of a command).
    void setSnfReceived(bool received);
    // From the main thread: the facts as they are now.
    void setFacts(const SensorFacts& facts);
    // From the main thread, as the unit stops: a test under way asks no more and ends within
    // one wait for data.
    void stop();

Q_SIGNALS:
    // A request for the sensor line (channel 3).
    void sigSendOnNmeaOutput(int channel, NmeaMessagePtr message);

private:
    bool askSensor();
    SensorFacts facts() const;

    KC_40_ADC_Results& m_adc;
    Waits m_waits;
    SignalledFlag m_answered;
    std::atomic<bool> m_stopping{false};
    mutable QMutex m_factsLock;
    SensorFacts m_facts;
};
