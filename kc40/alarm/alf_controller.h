#pragma once

#include "msgacn.h"
#include "msgalc.h"
#include "msgalf.h"
#include "msgarc.h"

#include <memory>

class AlarmInstance;
class AlertSink;

// Reports the alerts with the alert-management scheme: an ALF per change, the ALC list every
// 30 s, and the commands of a received ACN, refused ones answered with an ARC.
//   $--ALF,1,1,seq(0..9),time,category,priority,state,,id,instance,revision,escalation,text*hh
//   $--ALC,01,01,seq(00..99),count{,,id,instance,revision}*hh
//   $--ARC,time,,id,instance,refused command*hh
class ALF_controller {
public:
    explicit ALF_controller(AlertSink& alarms) : alarmController(alarms) {}

    void notifyChangedState(AlarmInstance* alert);
    void handleACN(const MsgACN& acn);
    void handleUserOrAuxSilence();
    void sendALF(AlarmInstance* alert);
    void sendALC();
    std::shared_ptr<MsgALF> createALF(const AlarmInstance& alert);
    std::shared_ptr<MsgALC> createALC();
    std::shared_ptr<MsgARC> createARC(int identifier, int instance, const QString& command) const;

    int alfSequentialIdentifier() const { return m_alfSequentialIdentifier; }
    int alcSequentialIdentifier() const { return m_alcSequentialIdentifier; }

private:
    void applyCommand(AlarmInstance* alert, const QString& command, const QString& sourceSfi);
    void refuse(const AlarmInstance& alert, const QString& command);

    AlertSink& alarmController;
    int m_alcSequentialIdentifier = 0;
    int m_alfSequentialIdentifier = 0;
};
