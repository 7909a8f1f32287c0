#pragma once

#include "setuprecord.h"

#include <QObject>

// Installation angles of the transducer and the two-point temperature calibration, file
// "calibration_coeff". Angles in degrees, temperatures in degrees Celsius.
struct calibration_s {
    Q_GADGET
    Q_PROPERTY(float instalationAngle MEMBER instalationAngle)
    Q_PROPERTY(float pitch MEMBER pitch)
    Q_PROPERTY(float roll MEMBER roll)
    Q_PROPERTY(float realTemp1 MEMBER realTemp1)
    Q_PROPERTY(float measuredTemp1 MEMBER measuredTemp1)
    Q_PROPERTY(float realTemp2 MEMBER realTemp2)
    Q_PROPERTY(float measuredTemp2 MEMBER measuredTemp2)
    Q_PROPERTY(float STW_offsetAngle MEMBER STW_offsetAngle)
    Q_PROPERTY(bool is_STW_offsetOn MEMBER is_STW_offsetOn)
    Q_PROPERTY(float satLogAngleOffsetDegrees MEMBER satLogAngleOffsetDegrees)
    Q_PROPERTY(bool stopOnGPS MEMBER stopOnGPS)
public:
    float instalationAngle = 0.0f;
    float pitch = 0.0f;
    float roll = 0.0f;
    float realTemp1 = 5.0f;
    float measuredTemp1 = 5.0f;
    float realTemp2 = 20.0f;
    float measuredTemp2 = 20.0f;
    float STW_offsetAngle = 0.0f;
    bool is_STW_offsetOn = false;
    float satLogAngleOffsetDegrees = 0.0f;
    bool stopOnGPS = false;
};

class calibration : public SetupRecord<calibration_s> {
public:
    calibration();

    // Every field but stopOnGPS, which belongs to the semi-automatic calibration.
    void getDefaults(int level = 0) override;

    // The display's calibration message, in its parameter order.
    void setCalibration(float instalationAngle, float STW_offsetAngle, bool is_STW_offsetOn,
                        float pitch, float roll, float realTemp1, float measuredTemp1,
                        float realTemp2, float measuredTemp2, float satLogAngleOffsetDegrees,
                        int stopOnGPS);

    float getInstalationAngleDeg() const { return m_s.instalationAngle; }
    double getInstalationAngleRad() const { return toRad(m_s.instalationAngle); }
    // STW uses its own offset only when it is switched on.
    float getSTW_offsetAngleDeg() const {
        return m_s.is_STW_offsetOn ? m_s.STW_offsetAngle : m_s.instalationAngle;
    }
    double getSTW_offsetAngleRad() const { return toRad(getSTW_offsetAngleDeg()); }
    float getPitchOffsetDeg() const { return m_s.pitch; }
    double getPitchOffsetRad() const { return toRad(m_s.pitch); }
    float getRollOffsetDeg() const { return m_s.roll; }
    double getRollOffsetRad() const { return toRad(m_s.roll); }

    // Water current needs a known installation angle (and a known STW offset when used).
    bool allowWcCalculation(bool demoActive) const;

private:
    static double toRad(float degrees);
};
