#pragma once

#include "platformtimer.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

// Speed pulses for a log repeater: a 60 ms pulse for every 1/pulsesPerMile nautical mile run,
// so that pulsesPerMile x knots pulses go out per hour. Without a valid speed a pulse goes out
// every 30 s, and as slowly when the speed gives less than one pulse.
class SpeedPulseTrain : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 kPulseMs = 60;
    static constexpr qint64 kInvalidPauseMs = 30'000 - kPulseMs;
    static constexpr qint64 kSlowestPulsesPerHour = 120;
    static constexpr qint64 kMsPerHour = 3'600'000;

    struct Source {
        QString name;
        std::function<std::optional<float>()> knots;
        std::function<int()> pulsesPerMile;
        // Drives the terminals of this train: true is a pulse.
        std::function<void(bool)> write;
        std::function<bool()> inStandby;
    };

    // Whole pulses per hour at that speed; never below the slowest rate.
    static qint64 pulsesPerHour(float knots, int pulsesPerMile);
    // The pause after a pulse. A rate above one pulse per 60 ms leaves no pause at all: the
    // pulses then follow each other as fast as they can.
    static qint64 pauseMs(std::optional<float> knots, int pulsesPerMile);

    explicit SpeedPulseTrain(Source source, QObject* parent = nullptr);

    // The first pulse after `ms`; also after a standby, which stops the train.
    void start(qint64 ms);
    bool isRunning() const { return m_timer.isActive(); }
    // What the terminals were last driven with.
    bool level() const { return m_written; }

private:
    void generate();

    Source m_source;
    PlatformTimer m_timer;
    bool m_pulse = true;
    bool m_written = false;
};
