#include "sensortemperature.h"

#include "systemsetup.h"

namespace {

constexpr quint64 kTemperatureAveragingSeconds = 10;

} // namespace

SensorTemperature::SensorTemperature() {
    temperatureAvg.setUseAverage(true);
    temperatureAvg.setDefaultAveragingPeriodS(kTemperatureAveragingSeconds);
    temperatureAvg.setOutputFrom(MOVING_AVERAGE);
}

void SensorTemperature::setValue(float temperature, quint64 timestamp) {
    temperatureAvg.setValue(temperature - kSelfHeating, timestamp);
    addUsersTemperatureOffset(timestamp);
}

void SensorTemperature::addUsersTemperatureOffset(quint64 timestamp) {
    const calibration_s& calib = SystemSetup::getInstance()->calibCoeffs.values();
    addUsersTemperatureOffset(timestamp, calib.realTemp1 - calib.measuredTemp1);
}

void SensorTemperature::addUsersTemperatureOffset(quint64 timestamp, float offset) {
    if (temperatureAvg.getValidity()) {
        temperatureWithOffset.setValue(temperatureAvg.getValue() + offset, timestamp);
    } else {
        temperatureWithOffset.setValidity(false);
    }
}

void SensorTemperature::invalidateData() {
    temperatureAvg.setValidity(false);
    temperatureWithOffset.setValidity(false);
}
