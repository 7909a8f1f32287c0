#pragma once

#include "msgack.h"
#include "msgalr.h"

#include <memory>

class AlarmInstance;
class AlertSink;

// Reports the alerts with the older ALR/ACK scheme: one ALR per change, and every 15 s either
// one ALR per alert that is not normal or a single empty ALR.
//   $--ALR,hhmmss.ss,id,condition(A active|V not),ack(A acknowledged|V not),text*hh
class ALR_Controller {
public:
    static constexpr int kRepeatSeconds = 15;

    explicit ALR_Controller(AlertSink& alarms) : alarmController(alarms) {}

    // Called once a second.
    void periodicalTestAndSend();
    bool isAnyAlarmActive() const;
    void notifyChangedState(AlarmInstance* alert);
    // Acknowledges every alert that is not normal and carries the ACK's number.
    void handleACK(const MsgACK& ack);

    void sendALR(AlarmInstance* alert);
    void sendEmptyALR();
    static std::shared_ptr<MsgALR> createAlarmMessage(const AlarmInstance& alert);
    static std::shared_ptr<MsgALR> createEmptyAlarmMessage();

private:
    AlertSink& alarmController;
    int nALR_reportingTimerCounter = 0;
};
