#pragma once

#include "variabletypest.h"

#include <QPointF>

// Roll and pitch of the transducer from its three accelerometer readings. The accelerometer
// sits 50 degrees rotated in the housing.
class RollPitchConvert {
public:
    static QPointF CalculateRollPitch(double a, double b, double c);

    static constexpr double kMountingRotation = 0.87266463;
};

// Tilt of the transducer in its own axes and, less the installation offsets, in the boat's.
class Tilt {
public:
    Tilt();

    // Readings in thousandths of g as the sensor sends them; offsets from the calibration record.
    void calculateTilt(float x, float y, float z, quint64 timestamp);
    void calculateTilt(float x, float y, float z, quint64 timestamp, double rollOffsetRad,
                       double pitchOffsetRad);
    void invalidateData();
    void setUseAverage(bool on);
    QList<varFloat*> variables();

    varFloat tilt_X_sensor;
    varFloat tilt_Y_sensor;
    varFloat tilt_Z_sensor;
    varFloat tilt_X_boat;
    varFloat tilt_Y_boat;
    varFloat tilt_Z_boat;
    varFloat tilt_X_boat_averaged;
    varFloat tilt_Y_boat_averaged;
    varFloat tilt_Z_boat_averaged;
};
