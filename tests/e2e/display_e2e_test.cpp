// The unit commanded by a display on the ship's network and by equipment on Nmea_1, judged by
// what it sends there and on its sensor line.
#include "displayrun.h"
#include "msgalf.h"
#include "msgvbw.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {

constexpr int kConfirmMs = 5000;
// Two output cycles: what the unit still had queued when the state changed has left.
constexpr qint64 kCyclesMs = 2100;

bool sensorSpeedsValid(const std::vector<HeardSentence>& heard) {
    for (const HeardSentence& sentence : heard) {
        const auto vbw = std::dynamic_pointer_cast<MsgVBW>(sentence.parsed());
        if (vbw && vbw->statusWaterSpeed() == QLatin1String("A")) {
            return true;
        }
    }
    return false;
}

// Another speed log asks twice for silence; the display then puts the unit to standby, which
// the unit confirms once the sensor is muted, and wakes it again.
TEST_F(DisplayRun, MuteAndStandbyAreConfirmedOnceTheSensorAnswers) {
    start();
    ASSERT_TRUE(listenUntil([&] { return sensorSpeedsValid(nmea1Heard.heard()); }, 20000))
        << unit.log().constData();

    sendOnNmea1(QStringLiteral("PNRVBLNK,2,,ON"));
    ASSERT_TRUE(listenUntil([&] { return sensor.isMuted(); }, kConfirmMs));
    listenFor(3000);
    sendOnNmea1(QStringLiteral("PNRVBLNK,2,,ON"));
    listenFor(1000);
    const QByteArray muteOn("$\x13$", 3);
    EXPECT_EQ(sensor.receivedBytes().count(muteOn), 1) << "the muted sensor was asked again";

    sendOnNmea1(QStringLiteral("PNRVBLNK,2,,OFF"));
    ASSERT_TRUE(listenUntil([&] { return !sensor.isMuted(); }, kConfirmMs));

    sendOnLan(QStringLiteral("PNRVICM,1,9,1"));
    ASSERT_TRUE(waitForLan(QStringLiteral("$PNRVICM,1,9,1,1*"), kConfirmMs))
        << unit.log().constData();
    EXPECT_TRUE(sensor.isMuted());
    const qint64 standbyAt = clock.elapsed();
    listenFor(4000);
    EXPECT_TRUE(nmea1Heard.ofType("VBW", standbyAt + kCyclesMs).empty()) << "outputs in standby";

    const qsizetype before = lan.heard.size();
    sendOnLan(QStringLiteral("PNRVICM,1,9,0"));
    ASSERT_TRUE(waitForLan(QStringLiteral("$PNRVICM,1,9,0,1*"), kConfirmMs, before))
        << unit.log().constData();
    EXPECT_FALSE(sensor.isMuted());
    const qint64 awakeAt = clock.elapsed();
    EXPECT_TRUE(
        listenUntil([&] { return sensorSpeedsValid(nmea1Heard.ofType("VBW", awakeAt)); }, 20000))
        << "no valid speeds after waking";
}

// In standby only the standby commands reach the unit; a wake-up addressed to every unit is
// one of them, also while the unit's start sequence still runs.
TEST_F(DisplayRun, AWakeUpForEveryUnitEndsStandby) {
    start();
    // The unit is on the network once it is heard there.
    ASSERT_TRUE(waitForLan(QStringLiteral("s:VD0101"), 10000));
    sendOnLan(QStringLiteral("PNRVICM,1,9,1"));
    ASSERT_TRUE(waitForLan(QStringLiteral("$PNRVICM,1,9,1,1*"), 15000)) << unit.log().constData();

    const qsizetype before = lan.heard.size();
    sendOnLan(QStringLiteral("PNRVICM,1,98,0"), QString());
    // The unit negotiates for a while before it follows.
    EXPECT_TRUE(waitForLan(QStringLiteral("$PNRVICM,1,9,0,1*"), 15000, before))
        << unit.log().constData();
}

} // namespace
