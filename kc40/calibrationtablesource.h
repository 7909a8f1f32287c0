#pragma once

#include "semiautosample.h"
#include "speedcalibration.h"
#include "speedcalibrationdata.h"
#include "speedcalibrationsource.h"

class SystemVariables;

// The sensor pipeline's calibration: every measured STW and SOG goes through the unit's
// calibration table for the frequency it was measured on (DAT5 is the high frequency), and a
// change of the water-speed source has all points sent to the display again.
class CalibrationTableSource : public SpeedCalibrationSource {
public:
    explicit CalibrationTableSource(SpeedCalibration& display) : m_display(display) {}

    float getCalibratedSpeed(float speed, SpeedType type, bool fromDat5) override {
        return SpeedCalibrationData::getInstance()->getCalibratedSpeed(speed, type, fromDat5);
    }
    void sendAllCalibrationPoints() override { m_display.sendAllCalibrationPoints(); }

private:
    SpeedCalibration& m_display;
};

// What a calibration point taken from measurement sees now: the GPS speed over ground as the
// true speed, the sensor's uncalibrated speeds, and the water speed of the other frequency.
SpeedCalibration::Measurement liveCalibrationMeasurement(SystemVariables& values);

// What one sample of a sea-test leg sees now: the uncalibrated speeds in the boat's axes of
// the water-speed data set, of the ground speed the sensor measured (not one made from GPS) and
// of each frequency's water speed, the calibrated resultants and the GPS speed over ground.
SemiAutoSample semiAutoSample(SystemVariables& values);

// The data a calibration page of the display shows, filled from the current values; null for
// a page this unit does not fill.
NmeaMessagePtr calibrationPageData(SystemVariables& values, msgCommands command);
