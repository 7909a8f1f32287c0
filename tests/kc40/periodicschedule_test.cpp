#include "periodicschedule.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

namespace {
const PassConditions kRunning;
const PassConditions kStandby{true, false, false};

// The state of the unit at a pass (passes count from 1, one a second).
using ConditionsAt = std::function<PassConditions(int pass)>;
const ConditionsAt running = [](int) { return kRunning; };
const ConditionsAt standby = [](int) { return kStandby; };
const ConditionsAt standbyFor10s = [](int pass) { return pass <= 10 ? kStandby : kRunning; };
const ConditionsAt satLog = [](int) { return PassConditions{false, false, true}; };
const ConditionsAt simulating = [](int) { return PassConditions{false, true, false}; };

// What arrives between passes: the heartbeats and sentences that reset the counters.
using TrafficAfter = std::function<void(PeriodicSchedule&, int pass)>;
const TrafficAfter silent = [](PeriodicSchedule&, int) {};
const TrafficAfter sensorSending = [](PeriodicSchedule& s, int) { s.resetSensorHeartBeat(); };
// The sensor-lost check resets the sensor counter on the main thread, as the handler does.
const TrafficAfter sensorChecked = [](PeriodicSchedule& s, int) {
    if (s.sensorHeartBeatSeconds() % PeriodicSchedule::kSupervisionSeconds == 0) {
        s.resetSensorHeartBeat();
    }
};
const TrafficAfter displayAt10 = [](PeriodicSchedule& s, int pass) {
    if (pass == 10) {
        s.resetDisplayHeartBeat();
    }
};
const TrafficAfter alertPeerAt20 = [](PeriodicSchedule& s, int pass) {
    if (pass == 20) {
        s.resetAlertPeerHeartBeat();
    }
};

std::vector<int> multiplesUpTo(int step, int last) {
    std::vector<int> passes;
    for (int pass = step; pass <= last; pass += step) {
        passes.push_back(pass);
    }
    return passes;
}

TEST(PeriodicSchedule, DutiesFallDueAtTheseSeconds) {
    using enum Duty;
    const std::tuple<const char*, Duty, int, ConditionsAt, TrafficAfter, std::vector<int>> cases[] =
        {
            {"silent display", CheckDisplayHeartBeat, 64, running, silent, {16, 32, 48, 64}},
            {"past the ceiling", CheckDisplayHeartBeat, 1100, running, silent,
             multiplesUpTo(16, 1100)},
            {"display heartbeat postpones", CheckDisplayHeartBeat, 40, running, displayAt10, {26}},
            {"silent sensor reloaded, again after the check",
             ReloadSensor,
             40,
             running,
             sensorChecked,
             {5, 10, 15, 21, 26, 31, 37}},
            {"silent sensor checked", CheckSensorHeartBeat, 40, running, sensorChecked, {16, 32}},
            {"sensor sending, no reload", ReloadSensor, 40, running, sensorSending, {}},
            {"SRP at 60 and 300 only", SendSrp, 1000, running, silent, {60, 300}},
            {"SRP counts outside standby", SendSrp, 100, standbyFor10s, silent, {70}},
            {"heartbeat in standby", SendHeartBeat, 130, standby, silent, {60, 120}},
            {"alert list in standby", SendAlertList, 130, standby, silent, {30, 60, 90, 120}},
            {"no output in standby", SendOutputMessages, 100, standby, silent, {}},
            {"no supervision in standby", CheckSensorHeartBeat, 100, standby, silent, {}},
            {"supervision frozen in standby",
             CheckDisplayHeartBeat,
             40,
             standbyFor10s,
             silent,
             {26}},
            {"output every second", SendOutputMessages, 5, running, silent, {1, 2, 3, 4, 5}},
            {"older log every 2 s", ReadVq1Speed, 8, running, silent, {1, 3, 5, 7}},
            {"alert peer missing", AlertPeerHeartBeatMissing, 90, running, silent, {30, 60, 90}},
            {"alert peer heartbeat",
             AlertPeerHeartBeatMissing,
             90,
             running,
             alertPeerAt20,
             {50, 80}},
            {"error counters saved", SaveErrorCounters, 130, running, silent,
             multiplesUpTo(20, 130)},
            {"distances saved", SaveTripTotal, 130, running, silent, {60, 120}},
            {"no saves in standby", SaveTripTotal, 130, standby, silent, {}},
            // The sensor's data test the speed limits; without it the scheduler does.
            {"speed limits with a sensor", CheckSpeedLimits, 20, running, silent, {}},
            {"speed limits, satellite log", CheckSpeedLimits, 3, satLog, silent, {1, 2, 3}},
            {"speed limits, simulation, silent sensor",
             CheckSpeedLimits,
             5,
             simulating,
             silent,
             {3, 4, 5}},
            {"speed limits, simulation, sensor sending",
             CheckSpeedLimits,
             5,
             simulating,
             sensorSending,
             {}},
        };
    for (const auto& [name, duty, passes, conditions, traffic, expected] : cases) {
        PeriodicSchedule schedule;
        std::vector<int> due;
        for (int pass = 1; pass <= passes; ++pass) {
            if (schedule.pass(conditions(pass)).testFlag(duty)) {
                due.push_back(pass);
            }
            traffic(schedule, pass);
        }
        EXPECT_EQ(due, expected) << name;
    }
}

} // namespace
