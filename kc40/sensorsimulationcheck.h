#pragma once

#include "msgdat.h"

// While the sensor simulates fixed speeds it must answer them. The first answers after the
// switch are not judged; then each answer faster than the fixed speed by more than the
// tolerance counts as wrong, and too many wrong answers end the simulation.
class SensorSimulationCheck {
public:
    static constexpr int kStartedCap = 100;
    static constexpr int kSettlingSentences = 60;
    static constexpr int kWrongLimit = 10;
    static constexpr float kRelativeTolerance = 0.05f;
    static constexpr float kMinTolerance = 0.5f;

    // Judges one DAT against the fixed speeds (knots); true when the simulation must stop,
    // which also starts the counting afresh.
    bool check(const MsgDAT& dat, float fixedLong, float fixedTra);
    void reset();

    int sensorSimulationStarted() const { return m_started; }
    int sensorSimulationValueWrong() const { return m_wrong; }

private:
    int m_started = 0;
    int m_wrong = 0;
};
