#include "tilt.h"

#include "systemsetup.h"

#include <cmath>

namespace {

constexpr quint64 kTiltAveragingSeconds = 60;

double inclination(double component, double vertical) {
    const double s = component / std::sqrt(component * component + vertical * vertical);
    return std::atan2(s, std::sqrt(1.0 - s * s));
}

} // namespace

QPointF RollPitchConvert::CalculateRollPitch(double a, double b, double c) {
    const double cr = std::cos(kMountingRotation);
    const double sr = std::sin(kMountingRotation);
    const double u = -(cr * a - sr * b);
    const double v = cr * b + sr * a;
    return {inclination(v, c), inclination(u, c)};
}

Tilt::Tilt() {
    for (varFloat* averaged :
         {&tilt_X_boat_averaged, &tilt_Y_boat_averaged, &tilt_Z_boat_averaged}) {
        averaged->setUseAverage(true);
        averaged->setDefaultAveragingPeriodS(kTiltAveragingSeconds);
    }
}

void Tilt::calculateTilt(float x, float y, float z, quint64 timestamp) {
    const calibration& calib = SystemSetup::getInstance()->calibCoeffs;
    calculateTilt(x, y, z, timestamp, calib.getRollOffsetRad(), calib.getPitchOffsetRad());
}

void Tilt::calculateTilt(float x, float y, float z, quint64 timestamp, double rollOffsetRad,
                         double pitchOffsetRad) {
    // The sensor's z reading lies along its long axis, x is vertical (1 g when level).
    const QPointF rollPitch =
        RollPitchConvert::CalculateRollPitch(z / 1000.0, y / 1000.0, x / 1000.0 + 1.0);
    const auto roll = static_cast<float>(rollPitch.x());
    const auto pitch = static_cast<float>(rollPitch.y());
    tilt_X_sensor.setValue(roll, timestamp);
    tilt_Y_sensor.setValue(pitch, timestamp);
    tilt_Z_sensor.setValue(0.0f, timestamp);
    const auto boatRoll = static_cast<float>(roll - rollOffsetRad);
    const auto boatPitch = static_cast<float>(pitch - pitchOffsetRad);
    tilt_X_boat.setValue(boatRoll, timestamp);
    tilt_X_boat_averaged.setValue(boatRoll, timestamp);
    tilt_Y_boat.setValue(boatPitch, timestamp);
    tilt_Y_boat_averaged.setValue(boatPitch, timestamp);
    tilt_Z_boat.setValue(0.0f, timestamp);
    tilt_Z_boat_averaged.setValue(0.0f, timestamp);
}

QList<varFloat*> Tilt::variables() {
    return {&tilt_X_sensor,        &tilt_Y_sensor,        &tilt_Z_sensor,
            &tilt_X_boat,          &tilt_Y_boat,          &tilt_Z_boat,
            &tilt_X_boat_averaged, &tilt_Y_boat_averaged, &tilt_Z_boat_averaged};
}

void Tilt::invalidateData() {
    for (varFloat* v : variables()) {
        v->setValidity(false);
    }
}

void Tilt::setUseAverage(bool on) {
    tilt_X_boat_averaged.setUseAverage(on);
    tilt_Y_boat_averaged.setUseAverage(on);
    tilt_Z_boat_averaged.setUseAverage(on);
}
