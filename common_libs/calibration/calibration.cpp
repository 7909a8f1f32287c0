#include "calibration.h"

#include <numbers>

calibration::calibration() : SetupRecord(QStringLiteral("calibration_coeff")) {
    readSetup();
}

void calibration::getDefaults(int) {
    const bool stopOnGPS = m_s.stopOnGPS;
    m_s = calibration_s{};
    m_s.stopOnGPS = stopOnGPS;
    writeSetup();
}

void calibration::setCalibration(float instalationAngle, float STW_offsetAngle,
                                 bool is_STW_offsetOn, float pitch, float roll, float realTemp1,
                                 float measuredTemp1, float realTemp2, float measuredTemp2,
                                 float satLogAngleOffsetDegrees, int stopOnGPS) {
    calibration_s s;
    s.instalationAngle = instalationAngle;
    s.STW_offsetAngle = STW_offsetAngle;
    s.is_STW_offsetOn = is_STW_offsetOn;
    s.pitch = pitch;
    s.roll = roll;
    s.realTemp1 = realTemp1;
    s.measuredTemp1 = measuredTemp1;
    s.realTemp2 = realTemp2;
    s.measuredTemp2 = measuredTemp2;
    s.satLogAngleOffsetDegrees = satLogAngleOffsetDegrees;
    s.stopOnGPS = stopOnGPS != 0;
    storeReceived(s);
}

bool calibration::allowWcCalculation(bool demoActive) const {
    if (demoActive) {
        return true;
    }
    if (m_s.instalationAngle == 0.0f) {
        return false;
    }
    return !m_s.is_STW_offsetOn || m_s.STW_offsetAngle != 0.0f;
}

double calibration::toRad(float degrees) {
    return double(degrees) * std::numbers::pi / 180.0;
}
