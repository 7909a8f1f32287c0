#pragma once

#include <QObject>

#include <atomic>

// Plausibility tests that keep jumps out of the averages, and the flag the LEDs show when
// implausible values were seen during the current DAT.
class sensor_data_validator : public QObject {
    Q_OBJECT
public:
    static constexpr float kAllowedDepthDistance = 30.0f;
    static constexpr float kAllowedSpeedDistance = 3.0f;

    static bool checkIfDepthTooFarFromAverage(float depth, float average);
    static bool checkIfSpeedTooFarFromAverage(float speed, float average);
    // True when |value| is within the limit plus 20 %.
    static bool checkIfWithinAllowedValue(float value, float limit);

    static void resetInvalidValuesPresent() { invalidValuesPresent = false; }
    static void setInvalidValuesPresent() { invalidValuesPresent = true; }
    static bool getInvalidValuesPresent() { return invalidValuesPresent; }

private:
    static inline std::atomic<bool> invalidValuesPresent{false};
};
