#include "periodicschedule.h"

bool PeriodicSchedule::supervisionDue(int& period) {
    if (period % kSupervisionSeconds != 0) {
        return false;
    }
    if (period > kSupervisionCeiling) {
        period = kSupervisionSeconds;
    }
    return true;
}

Duties PeriodicSchedule::pass(const PassConditions& conditions) {
    Duties due;
    if (++heartBeatOutCounter >= kHeartBeatOutSeconds) {
        due |= Duty::SendHeartBeat;
        heartBeatOutCounter = 0;
    }
    if (++alcMsgCounter >= kAlertListSeconds) {
        due |= Duty::SendAlertList;
        alcMsgCounter = 0;
    }
    if (conditions.standby) {
        return due;
    }
    due |= Duty::CheckGpsMovement | Duty::ReadJunctionBox;
    if (secondCounter % 2 == 0) {
        due |= Duty::ReadVq1Speed;
    }
    ++displayHeartBeatPeriod;
    if (supervisionDue(displayHeartBeatPeriod)) {
        due |= Duty::CheckDisplayHeartBeat;
    }
    ++sensorHeartBeatPeriod;
    if (sensorHeartBeatPeriod % kSensorReloadSeconds == 0) {
        due |= Duty::ReloadSensor;
    }
    if (supervisionDue(sensorHeartBeatPeriod)) {
        due |= Duty::CheckSensorHeartBeat;
    }
    if (SRP_Counter <= kSrpLastRepeatSeconds) {
        ++SRP_Counter;
        if (SRP_Counter == kSrpFirstRepeatSeconds || SRP_Counter == kSrpLastRepeatSeconds) {
            due |= Duty::SendSrp;
        }
    }
    // One test per second is enough whichever reason asks for it.
    if ((conditions.simulationWithoutSensor &&
         sensorHeartBeatPeriod >= kSpeedLimitsSensorSilentSeconds) ||
        conditions.satLog) {
        due |= Duty::CheckSpeedLimits;
    }
    due |= Duty::SendOutputMessages;
    if (++bamHbtCounter >= kAlertPeerSeconds) {
        due |= Duty::AlertPeerHeartBeatMissing;
        bamHbtCounter = 0;
    }
    due |= Duty::PeriodicalTestAndSend | Duty::UpdateTimeouts;
    ++secondCounter;
    if (secondCounter % kErrorCounterSaveSeconds == 0) {
        due |= Duty::SaveErrorCounters;
    }
    if (secondCounter >= kTripTotalSaveSeconds) {
        due |= Duty::SaveTripTotal;
        secondCounter = 0;
    }
    return due;
}
