#include "casename.h"
#include "freshunit.h"
#include "serialsensor.h"
#include "standbyandmute.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// The mute handshake and standby on a sensor line that is not open: a request leaves the line
// waiting for the sensor's answer, which the test then gives or not.
struct Step {
    enum Kind { Mute, Unmute, Answer, AnswerUnmuted, Standby, Wake, DataArrives };
    Kind kind;
};

struct MuteCase {
    const char* name;
    bool satelliteLog;
    std::vector<Step::Kind> steps;
    // Whether the last step left the line waiting for an answer.
    bool waiting;
    // The standby confirmations the display got, in order.
    std::vector<bool> confirmed;
    bool muted;
};
void PrintTo(const MuteCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class StandbyAndMuteTest : public ::testing::TestWithParam<MuteCase> {
protected:
    FreshUnitRoot root;
    SerialSensor line;
};

TEST_P(StandbyAndMuteTest, FollowsTheSensorsAnswers) {
    const MuteCase& c = GetParam();
    SystemSetup& setup = *SystemSetup::getInstance();
    StandbyAndMute unit(line, setup, [&] { return !c.satelliteLog; });
    std::vector<bool> confirmed;
    QObject::connect(&setup, &SystemSetup::sigStandbyConfirmed,
                     [&](bool standby) { confirmed.push_back(standby); });
    for (const Step::Kind step : c.steps) {
        line.setWaitForAck(false);
        switch (step) {
        case Step::Mute:
            unit.slotSynchRequest(true);
            break;
        case Step::Unmute:
            unit.slotSynchRequest(false);
            break;
        case Step::Answer:
            unit.slotSynchConfirmed(true);
            break;
        case Step::AnswerUnmuted:
            unit.slotSynchConfirmed(false);
            break;
        case Step::Standby:
            unit.slotShotDownSensor(true);
            break;
        case Step::Wake:
            unit.slotShotDownSensor(false);
            break;
        case Step::DataArrives:
            unit.slotSynchOffNmeaReceived(false);
            break;
        }
    }
    EXPECT_EQ(line.getWaitForAck(), c.waiting);
    EXPECT_EQ(confirmed, c.confirmed);
    EXPECT_EQ(unit.isMuted(), c.muted);
}

using S = Step;
INSTANTIATE_TEST_SUITE_P(
    Sensor, StandbyAndMuteTest,
    ::testing::Values(
        MuteCase{"FirstRequestIsAlwaysSent", false, {S::Unmute}, true, {}, false},
        MuteCase{"RequestForTheStateInPlaceIsNotSent",
                 false,
                 {S::Mute, S::Answer, S::Mute},
                 false,
                 {},
                 true},
        MuteCase{"StandbyWaitsForTheSensor", false, {S::Standby}, true, {}, false},
        MuteCase{"StandbyConfirmedOnceMuted", false, {S::Standby, S::Answer}, false, {true}, true},
        MuteCase{"WakingUnmutes", false, {S::Standby, S::Answer, S::Wake}, true, {true}, true},
        MuteCase{"AwakeOnceUnmuted",
                 false,
                 {S::Standby, S::Answer, S::Wake, S::AnswerUnmuted},
                 false,
                 {true, false},
                 false},
        MuteCase{"StandbyOfAMutedSensorNeedsNoRequest",
                 false,
                 {S::Mute, S::Answer, S::Standby},
                 false,
                 {true},
                 true},
        MuteCase{"DataFromTheSensorEndsItsStandby",
                 false,
                 {S::Standby, S::Answer, S::DataArrives},
                 false,
                 {true, false},
                 false},
        MuteCase{"WithoutSensorStandbyIsAtOnce",
                 true,
                 {S::Standby, S::Wake},
                 false,
                 {true, false},
                 false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
