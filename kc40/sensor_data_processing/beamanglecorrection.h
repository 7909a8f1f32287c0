#pragma once

class Tilt;
class SensorTemperature;

// The Doppler beam angle: it widens with the speed of sound, that is with water temperature,
// and the transducer's tilt turns each beam pair by its roll or pitch.
class BeamAngleCorrection {
public:
    void calculateBeamCorrection(Tilt& tilt, SensorTemperature& temperature);
    void calculateTemperatureBeamCorrection(SensorTemperature& temperature);
    void appendTiltCorrection(Tilt& tilt);

    // Beam angle in degrees at a water temperature, interpolated in the transducer's table.
    static float beamAngleDegrees(float temperature);

    float beamAngleWithTempCorrection = 0.0f;
    float beamAngleResultant_Long = 0.0f;
    float beamAngleResultant_Tra = 0.0f;
};
