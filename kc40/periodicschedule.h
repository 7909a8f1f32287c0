#pragma once

#include <QFlags>

// What one second of the unit's clock asks for.
enum class Duty : unsigned {
    SendHeartBeat = 1u << 0,
    SendAlertList = 1u << 1,
    CheckGpsMovement = 1u << 2,
    ReadVq1Speed = 1u << 3,
    CheckDisplayHeartBeat = 1u << 4,
    ReloadSensor = 1u << 5,
    CheckSensorHeartBeat = 1u << 6,
    SendSrp = 1u << 7,
    CheckSpeedLimits = 1u << 8,
    SendOutputMessages = 1u << 9,
    AlertPeerHeartBeatMissing = 1u << 10,
    PeriodicalTestAndSend = 1u << 11,
    UpdateTimeouts = 1u << 12,
    SaveErrorCounters = 1u << 13,
    SaveTripTotal = 1u << 14,
    ReadJunctionBox = 1u << 15,
};
Q_DECLARE_FLAGS(Duties, Duty)
Q_DECLARE_OPERATORS_FOR_FLAGS(Duties)

// The state of the unit a pass depends on.
struct PassConditions {
    bool standby = false;
    // Simulated speeds that do not come from the sensor: the speed limits are tested although
    // no sensor sentence arrives.
    bool simulationWithoutSensor = false;
    // No sensor in use; ground speed comes from GPS.
    bool satLog = false;
};

// The counters of the once-a-second scheduler and the decisions of one pass: which duties fall
// due. Supervision counters run while their traffic stays away and are reset when it arrives.
// In standby only the outgoing heartbeat and the alert list go on.
class PeriodicSchedule {
public:
    static constexpr int kHeartBeatOutSeconds = 60;
    static constexpr int kAlertListSeconds = 30;
    static constexpr int kSupervisionSeconds = 16;
    // Past this the silent counters fall back to one check period, so they never overflow.
    static constexpr int kSupervisionCeiling = 1000;
    static constexpr int kSensorReloadSeconds = 5;
    static constexpr int kSrpFirstRepeatSeconds = 60;
    static constexpr int kSrpLastRepeatSeconds = 300;
    static constexpr int kAlertPeerSeconds = 30;
    static constexpr int kSpeedLimitsSensorSilentSeconds = 3;
    static constexpr int kErrorCounterSaveSeconds = 20;
    static constexpr int kTripTotalSaveSeconds = 60;

    Duties pass(const PassConditions& conditions);

    void resetDisplayHeartBeat() { displayHeartBeatPeriod = 0; }
    void resetSensorHeartBeat() { sensorHeartBeatPeriod = 0; }
    void resetAlertPeerHeartBeat() { bamHbtCounter = 0; }

    int displayHeartBeatSeconds() const { return displayHeartBeatPeriod; }
    int sensorHeartBeatSeconds() const { return sensorHeartBeatPeriod; }

private:
    // Counts a silent period on; returns whether a supervision check falls due.
    static bool supervisionDue(int& period);

    int displayHeartBeatPeriod = 0;
    int sensorHeartBeatPeriod = 0;
    int SRP_Counter = 0;
    int heartBeatOutCounter = 0;
    int alcMsgCounter = 0;
    int bamHbtCounter = 0;
    // Seconds of the running minute outside standby.
    int secondCounter = 0;
};
