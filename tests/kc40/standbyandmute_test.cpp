#include "freshunit.h"
#include "serialsensor.h"
#include "standbyandmute.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <tuple>

namespace {

// The mute handshake and standby on a sensor line that is not open: a request leaves the line
// waiting for the sensor's answer, which the test then gives or not.
TEST(StandbyAndMute, FollowsTheSensorsAnswers) {
    const std::map<QString, std::function<void(StandbyAndMute&)>> steps = {
        {"mute", [](StandbyAndMute& u) { u.slotSynchRequest(true); }},
        {"unmute", [](StandbyAndMute& u) { u.slotSynchRequest(false); }},
        {"muted", [](StandbyAndMute& u) { u.slotSynchConfirmed(true); }},
        {"unmuted", [](StandbyAndMute& u) { u.slotSynchConfirmed(false); }},
        {"standby", [](StandbyAndMute& u) { u.slotShotDownSensor(true); }},
        {"wake", [](StandbyAndMute& u) { u.slotShotDownSensor(false); }},
        {"data", [](StandbyAndMute& u) { u.slotSynchOffNmeaReceived(false); }},
    };
    // After the steps: whether the line waits for an answer, the standby confirmations the
    // display got, whether the sensor is muted.
    const std::tuple<const char*, bool, const char*, bool, const char*, bool> cases[] = {
        {"first request is always sent", false, "unmute", true, "", false},
        {"request for the state in place is not sent", false, "mute muted mute", false, "", true},
        {"standby waits for the sensor", false, "standby", true, "", false},
        {"standby confirmed once muted", false, "standby muted", false, "1", true},
        {"waking unmutes", false, "standby muted wake", true, "1", true},
        {"awake once unmuted", false, "standby muted wake unmuted", false, "1 0", false},
        {"standby of a muted sensor needs no request", false, "mute muted standby", false, "1",
         true},
        {"data from the sensor ends its standby", false, "standby muted data", false, "1 0", false},
        {"without sensor standby is at once", true, "standby wake", false, "1 0", false},
    };
    for (const auto& [name, satelliteLog, actions, waiting, confirmations, muted] : cases) {
        SCOPED_TRACE(name);
        FreshUnitRoot root;
        SerialSensor line;
        SystemSetup& setup = *SystemSetup::getInstance();
        StandbyAndMute unit(line, setup, [&] { return !satelliteLog; });
        QStringList confirmed;
        QObject::connect(&setup, &SystemSetup::sigStandbyConfirmed,
                         [&](bool standby) { confirmed << QString::number(int(standby)); });
        for (const QString& step : QString(actions).split(' ')) {
            line.setWaitForAck(false);
            steps.at(step)(unit);
        }
        EXPECT_EQ(line.getWaitForAck(), waiting);
        EXPECT_EQ(confirmed.join(' ').toStdString(), confirmations);
        EXPECT_EQ(unit.isMuted(), muted);
    }
}

} // namespace
