#pragma once

#include <QString>

// Alert state. The numbers order the alerts for the display: the higher, the more urgent.
enum AlarmLevel {
    NO_ALARM = 0,
    ALR_ACTIVE_RESPON_TRANS = 1, // active, responsibility taken over by alert management
    ALR_ACTIVE_ACKED = 2,
    ALR_RECTIF_UACKED = 3, // condition gone, not yet acknowledged
    ALR_ACTIVE_SILENCED = 4,
    ALR_ACTIVE_UACKED = 5
};

// The six alerts; the alert instance number is the source + 1.
enum AlarmSource {
    UNKNOWN_SOURCE = -1,
    ALARM_LOW_SPEED_WATER = 0,
    ALARM_HIGH_SPEED_WATER = 1,
    ALARM_LOW_SPEED_GROUND = 2,
    ALARM_HIGH_SPEED_GROUND = 3,
    ALARM_SYSTEM_DISPLAY = 4,
    ALARM_SYSTEM_SENSOR = 5
};
inline constexpr int kAlarmSourceCount = 6;

enum AlertCategory { CatA = 0, CatB = 1, CatC = 2 };
enum AlertPriority { Alarm = 0, Warning = 1, Caution = 2, EmergencyAlarm = 3 };
enum SystemAlarmType {
    SYS_NOT_ALARM = 0,
    SYS_SENSOR_LOST = 1,
    SYS_DISPLAY_LOST = 2,
    SYS_ALARM_TEST = 3
};

// The condition still holds: active in any of its forms.
inline bool isActiveLevel(AlarmLevel level) {
    return level == ALR_ACTIVE_RESPON_TRANS || level == ALR_ACTIVE_ACKED ||
           level == ALR_ACTIVE_SILENCED || level == ALR_ACTIVE_UACKED;
}

// The letter of an alert state in ALF.
inline QString alertStateLetter(AlarmLevel level) {
    switch (level) {
    case ALR_ACTIVE_RESPON_TRANS:
        return QStringLiteral("O");
    case ALR_ACTIVE_ACKED:
        return QStringLiteral("A");
    case ALR_RECTIF_UACKED:
        return QStringLiteral("U");
    case ALR_ACTIVE_SILENCED:
        return QStringLiteral("S");
    case ALR_ACTIVE_UACKED:
        return QStringLiteral("V");
    default:
        return QStringLiteral("N");
    }
}
