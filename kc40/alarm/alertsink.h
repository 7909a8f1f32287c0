#pragma once

#include "alarmtypes.h"
#include "nmeamessage.h"

#include <QString>

#include <array>

class AlarmInstance;

// What a reporting scheme (ALR or ALF) needs of the alarms it reports: the alerts, a way out
// for an alert sentence, and the time to stamp it with.
class AlertSink {
public:
    virtual ~AlertSink() = default;
    virtual const std::array<AlarmInstance*, kAlarmSourceCount>& alerts() const = 0;
    // Puts an alert sentence on every channel with alarm output enabled.
    virtual void sendAlarmMessage(const NmeaMessagePtr& message) = 0;
    // The UTC time text of the latest navigation time, empty when none is known.
    virtual QString utcTimeStamp() const = 0;
};
