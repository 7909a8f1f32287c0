#include "beamanglecorrection.h"

#include "sensortemperature.h"
#include "tilt.h"
#include "unitconverter.h"

#include <array>

namespace {

struct BeamAnglePoint {
    float temperature;
    float degrees;
};

constexpr std::array<BeamAnglePoint, 7> f_BeamAngle = {{
    {-8.0f, 27.12f},
    {0.0f, 28.24f},
    {9.0f, 29.54f},
    {16.0f, 30.55f},
    {23.0f, 31.51f},
    {30.0f, 32.4f},
    {40.0f, 33.48f},
}};

constexpr float kDefaultTemperature = 18.0f;
constexpr float kLowestTemperature = -8.0f;
constexpr float kHighestTemperature = 50.0f;

} // namespace

float BeamAngleCorrection::beamAngleDegrees(float temperature) {
    if (!(temperature >= kLowestTemperature && temperature <= kHighestTemperature)) {
        temperature = kDefaultTemperature;
    }
    // The first and last segments extend to the ends of the accepted range.
    size_t i = 0;
    while (i + 2 < f_BeamAngle.size() && temperature >= f_BeamAngle[i + 1].temperature) {
        ++i;
    }
    const BeamAnglePoint& a = f_BeamAngle[i];
    const BeamAnglePoint& b = f_BeamAngle[i + 1];
    return a.degrees + (temperature - a.temperature) * (b.degrees - a.degrees) /
                           (b.temperature - a.temperature);
}

void BeamAngleCorrection::calculateTemperatureBeamCorrection(SensorTemperature& temperature) {
    const float t = temperature.temperatureWithOffset.getValidity()
                        ? temperature.temperatureWithOffset.getValue()
                        : kDefaultTemperature;
    beamAngleWithTempCorrection = UnitConverter::degToRad(beamAngleDegrees(t));
}

void BeamAngleCorrection::appendTiltCorrection(Tilt& tilt) {
    beamAngleResultant_Long = beamAngleWithTempCorrection;
    beamAngleResultant_Tra = beamAngleWithTempCorrection;
    if (tilt.tilt_X_sensor.getValidity()) {
        beamAngleResultant_Tra -= tilt.tilt_X_sensor.getLastValue();
        beamAngleResultant_Long -= tilt.tilt_Y_sensor.getLastValue();
    }
}

void BeamAngleCorrection::calculateBeamCorrection(Tilt& tilt, SensorTemperature& temperature) {
    calculateTemperatureBeamCorrection(temperature);
    appendTiltCorrection(tilt);
}
