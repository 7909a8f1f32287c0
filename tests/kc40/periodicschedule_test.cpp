#include "casename.h"
#include "periodicschedule.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {
const PassConditions kRunning;
const PassConditions kStandby{true, false, false};

// The state of the unit at a pass (passes count from 1, one a second).
using ConditionsAt = std::function<PassConditions(int pass)>;
// What arrives between passes: the heartbeats and sentences that reset the counters.
using TrafficAfter = std::function<void(PeriodicSchedule&, int pass)>;

ConditionsAt always(PassConditions conditions) {
    return [conditions](int) { return conditions; };
}
void silent(PeriodicSchedule&, int) {}

std::vector<int> multiplesUpTo(int step, int last, int first = 0) {
    std::vector<int> passes;
    for (int pass = first == 0 ? step : first; pass <= last; pass += step) {
        passes.push_back(pass);
    }
    return passes;
}

struct DutyCase {
    const char* name;
    Duty duty;
    int passes;
    ConditionsAt conditions;
    TrafficAfter traffic;
    std::vector<int> expectedPasses;
};
void PrintTo(const DutyCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class ScheduleDuties : public ::testing::TestWithParam<DutyCase> {};

TEST_P(ScheduleDuties, FallDueAtTheseSeconds) {
    const DutyCase& c = GetParam();
    PeriodicSchedule schedule;
    std::vector<int> due;
    for (int pass = 1; pass <= c.passes; ++pass) {
        if (schedule.pass(c.conditions(pass)).testFlag(c.duty)) {
            due.push_back(pass);
        }
        c.traffic(schedule, pass);
    }
    EXPECT_EQ(due, c.expectedPasses);
}

// The sensor-lost check resets the sensor counter on the main thread, as the handler does.
void sensorCheckResets(PeriodicSchedule& schedule, int) {
    if (schedule.sensorHeartBeatSeconds() % PeriodicSchedule::kSupervisionSeconds == 0) {
        schedule.resetSensorHeartBeat();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pass, ScheduleDuties,
    ::testing::Values(
        DutyCase{"DisplayCheckEvery16sWhileSilent",
                 Duty::CheckDisplayHeartBeat,
                 64,
                 always(kRunning),
                 silent,
                 {16, 32, 48, 64}},
        DutyCase{"DisplayCheckKeepsItsPeriodPastTheCeiling", Duty::CheckDisplayHeartBeat, 1100,
                 always(kRunning), silent, multiplesUpTo(16, 1100)},
        DutyCase{"DisplayHeartbeatPostponesTheCheck",
                 Duty::CheckDisplayHeartBeat,
                 40,
                 always(kRunning),
                 [](PeriodicSchedule& s, int pass) {
                     if (pass == 10) {
                         s.resetDisplayHeartBeat();
                     }
                 },
                 {26}},
        DutyCase{"SilentSensorReloadsEvery5sAndAgainAfterTheCheck",
                 Duty::ReloadSensor,
                 40,
                 always(kRunning),
                 sensorCheckResets,
                 {5, 10, 15, 21, 26, 31, 37}},
        DutyCase{"SilentSensorCheckAt16And32",
                 Duty::CheckSensorHeartBeat,
                 40,
                 always(kRunning),
                 sensorCheckResets,
                 {16, 32}},
        DutyCase{"SensorSendingNeverReloads",
                 Duty::ReloadSensor,
                 40,
                 always(kRunning),
                 [](PeriodicSchedule& s, int) { s.resetSensorHeartBeat(); },
                 {}},
        DutyCase{"SrpOnlyAt60And300", Duty::SendSrp, 1000, always(kRunning), silent, {60, 300}},
        DutyCase{"SrpCountsOnlyOutsideStandby",
                 Duty::SendSrp,
                 100,
                 [](int pass) { return pass <= 10 ? kStandby : kRunning; },
                 silent,
                 {70}},
        DutyCase{"HeartBeatEvery60sInStandby",
                 Duty::SendHeartBeat,
                 130,
                 always(kStandby),
                 silent,
                 {60, 120}},
        DutyCase{"AlertListEvery30sInStandby",
                 Duty::SendAlertList,
                 130,
                 always(kStandby),
                 silent,
                 {30, 60, 90, 120}},
        DutyCase{"NoOutputInStandby", Duty::SendOutputMessages, 100, always(kStandby), silent, {}},
        DutyCase{"NoSupervisionInStandby",
                 Duty::CheckSensorHeartBeat,
                 100,
                 always(kStandby),
                 silent,
                 {}},
        DutyCase{"SupervisionFrozenInStandby",
                 Duty::CheckDisplayHeartBeat,
                 40,
                 [](int pass) { return pass <= 10 ? kStandby : kRunning; },
                 silent,
                 {26}},
        DutyCase{"OutputEverySecond",
                 Duty::SendOutputMessages,
                 5,
                 always(kRunning),
                 silent,
                 {1, 2, 3, 4, 5}},
        DutyCase{"OlderLogEvery2s", Duty::ReadVq1Speed, 8, always(kRunning), silent, {1, 3, 5, 7}},
        DutyCase{"AlertPeerMissingEvery30s",
                 Duty::AlertPeerHeartBeatMissing,
                 90,
                 always(kRunning),
                 silent,
                 {30, 60, 90}},
        DutyCase{"AlertPeerHeartbeatRestartsItsPeriod",
                 Duty::AlertPeerHeartBeatMissing,
                 90,
                 always(kRunning),
                 [](PeriodicSchedule& s, int pass) {
                     if (pass == 20) {
                         s.resetAlertPeerHeartBeat();
                     }
                 },
                 {50, 80}},
        DutyCase{"ErrorCountersSavedEvery20s", Duty::SaveErrorCounters, 130, always(kRunning),
                 silent, multiplesUpTo(20, 130)},
        DutyCase{"DistancesSavedEvery60s",
                 Duty::SaveTripTotal,
                 130,
                 always(kRunning),
                 silent,
                 {60, 120}},
        DutyCase{"NoSavesInStandby", Duty::SaveTripTotal, 130, always(kStandby), silent, {}},
        DutyCase{"SpeedLimitsNotTestedBySchedulerWithSensor",
                 Duty::CheckSpeedLimits,
                 20,
                 always(kRunning),
                 silent,
                 {}},
        DutyCase{"SpeedLimitsWithSatLogEverySecond",
                 Duty::CheckSpeedLimits,
                 3,
                 always({false, false, true}),
                 silent,
                 {1, 2, 3}},
        DutyCase{"SpeedLimitsInSimulationOnceTheSensorIsSilent",
                 Duty::CheckSpeedLimits,
                 5,
                 always({false, true, false}),
                 silent,
                 {3, 4, 5}},
        DutyCase{"SpeedLimitsInSimulationWhileTheSensorSends",
                 Duty::CheckSpeedLimits,
                 5,
                 always({false, true, false}),
                 [](PeriodicSchedule& s, int) { s.resetSensorHeartBeat(); },
                 {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct CeilingCase {
    const char* name;
    int passes;
    int displaySeconds;
};
void PrintTo(const CeilingCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class SupervisionCeiling : public ::testing::TestWithParam<CeilingCase> {};

TEST_P(SupervisionCeiling, SilentCounterFallsBackToOnePeriod) {
    const CeilingCase& c = GetParam();
    PeriodicSchedule schedule;
    for (int pass = 1; pass <= c.passes; ++pass) {
        schedule.pass(kRunning);
    }
    EXPECT_EQ(schedule.displayHeartBeatSeconds(), c.displaySeconds);
    EXPECT_EQ(schedule.sensorHeartBeatSeconds(), c.displaySeconds);
}

INSTANTIATE_TEST_SUITE_P(Pass, SupervisionCeiling,
                         ::testing::Values(CeilingCase{"BelowTheCeiling", 1007, 1007},
                                           CeilingCase{"AtTheFirstCheckAbove", 1008, 16},
                                           CeilingCase{"CountingOnAfterward", 1009, 17}),
                         [](const auto& info) { return std::string(info.param.name); });
} // namespace
