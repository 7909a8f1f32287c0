#pragma once

#include "setuprecord.h"

#include <QObject>

// Speed alarm limits and speed levels in knots, file "alarm_limits_setup".
struct AlarmLimits_Setup_S {
    Q_GADGET
    Q_PROPERTY(float stwHighLimit MEMBER stwHighLimit)
    Q_PROPERTY(float stwLowLimit MEMBER stwLowLimit)
    Q_PROPERTY(float sogHighLimit MEMBER sogHighLimit)
    Q_PROPERTY(float sogLowLimit MEMBER sogLowLimit)
    Q_PROPERTY(float speedLevelHigh1 MEMBER speedLevelHigh1)
    Q_PROPERTY(float speedLevelLow1 MEMBER speedLevelLow1)
    Q_PROPERTY(float speedLevelHigh2 MEMBER speedLevelHigh2)
    Q_PROPERTY(float speedLevelLow2 MEMBER speedLevelLow2)
public:
    float stwHighLimit = 0.0f;
    float stwLowLimit = 0.0f;
    float sogHighLimit = 0.0f;
    float sogLowLimit = 0.0f;
    float speedLevelHigh1 = 5.0f;
    float speedLevelLow1 = 0.0f;
    float speedLevelHigh2 = 10.0f;
    float speedLevelLow2 = 0.0f;
};

class AlarmLimits_Setup : public SetupRecord<AlarmLimits_Setup_S> {
public:
    AlarmLimits_Setup() : SetupRecord(QStringLiteral("alarm_limits_setup")) { readSetup(); }

    void getDefaults(int) override {
        m_s = AlarmLimits_Setup_S{};
        writeSetup();
    }
    void setAlarmLimits(const AlarmLimits_Setup_S& values) { storeReceived(values); }

    // Knots; 0 switches the limit or level off.
    float getStwLowLimit() const { return m_s.stwLowLimit; }
    float getStwHighLimit() const { return m_s.stwHighLimit; }
    float getSogLowLimit() const { return m_s.sogLowLimit; }
    float getSogHighLimit() const { return m_s.sogHighLimit; }
    float getSpeedLevelLow1() const { return m_s.speedLevelLow1; }
    float getSpeedLevelHigh1() const { return m_s.speedLevelHigh1; }
};
