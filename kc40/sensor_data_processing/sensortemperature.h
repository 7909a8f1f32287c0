#pragma once

#include "variabletypest.h"

// Water temperature at the transducer: the sensor's reading less its 5 degree self-heating,
// averaged over 10 s, then shifted by the user's one-point temperature calibration.
class SensorTemperature {
public:
    SensorTemperature();

    void setValue(float temperature, quint64 timestamp);
    // The offset real minus measured temperature of the calibration record.
    void addUsersTemperatureOffset(quint64 timestamp);
    void addUsersTemperatureOffset(quint64 timestamp, float offset);
    void invalidateData();

    varFloat temperatureAvg;
    varFloat temperatureWithOffset;

    static constexpr float kSelfHeating = 5.0f;
};
