#pragma once

#include "calibrationpoints.h"

// What the sensor pipeline needs from the speed calibration: the calibrated value of a
// measured resultant speed, and a way to have all calibration points sent to the display.
class SpeedCalibrationSource {
public:
    virtual ~SpeedCalibrationSource() = default;
    virtual float getCalibratedSpeed(float speed, SpeedType type, bool fromDat5) = 0;
    virtual void sendAllCalibrationPoints() {}
};

// Until a calibration table is installed, measured speed is the calibrated speed.
class PassThroughCalibration : public SpeedCalibrationSource {
public:
    float getCalibratedSpeed(float speed, SpeedType, bool) override { return speed; }
};
