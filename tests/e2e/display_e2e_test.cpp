// The unit commanded by a display on the ship's network and by equipment on Nmea_1, judged by
// what it sends there and on its sensor line.
#include "displayrun.h"
#include "msgalf.h"
#include "msgvbw.h"

#include <QDateTime>

#include <climits>
#include <tuple>

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

    // The sensor and the extension are powered, the sensor line's receive polarity is low.
    const std::tuple<const char*, const char*, QByteArray> board[] = {
        {"C21", "value", "1"},      {"C20", "value", "1"},      {"E31", "value", "0"},
        {"B26", "value", "0"},      {"B27", "value", "0"},      {"E31", "direction", "out"},
        {"D14", "direction", "in"}, {"E24", "direction", "in"},
    };
    for (const auto& [name, file, expected] : board) {
        EXPECT_EQ(pin(name, file), expected) << name << " " << file;
    }

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
    ASSERT_TRUE(joined());
    sendOnLan(QStringLiteral("PNRVICM,1,9,1"));
    ASSERT_TRUE(waitForLan(QStringLiteral("$PNRVICM,1,9,1,1*"), 15000)) << unit.log().constData();

    const qsizetype before = lan.heard.size();
    sendOnLan(QStringLiteral("PNRVICM,1,98,0"), QString());
    // The unit negotiates for a while before it follows.
    EXPECT_TRUE(waitForLan(QStringLiteral("$PNRVICM,1,9,0,1*"), 15000, before))
        << unit.log().constData();
}

class StandbyAtPowerLossRun : public DisplayRun {
protected:
    StandbyAtPowerLossRun() {
        root.writeFile(QStringLiteral("/opt/setup_files/rv_n_003_setup"),
                       R"({ "systemInStandby" : true })");
    }
};

// The display was in standby when the power went: once started, the unit follows it, and when
// woken it asks the display to pair again.
TEST_F(StandbyAtPowerLossRun, TheUnitStartsInStandbyAndAsksToPairWhenWoken) {
    start();
    ASSERT_TRUE(waitForLan(QStringLiteral("$PNRVICM,1,9,1,1*"), 15000)) << unit.log().constData();
    EXPECT_TRUE(sensor.isMuted());

    const qsizetype before = lan.heard.size();
    sendOnLan(QStringLiteral("PNRVICM,1,9,0"));
    EXPECT_TRUE(waitForLan(QStringLiteral("$PNRVICM,1,9,0,1*"), kConfirmMs, before));
    EXPECT_TRUE(waitForLan(QStringLiteral("$PNRVICM,1,97,0,1*"), kConfirmMs, before));
}

// The display's configuration page, as a factory-new unit fills it and as the display edits it.
class ConfigurationRun : public DisplayRun {
protected:
    // Asks for the whole configuration; the datagram index it starts from.
    qsizetype askConfiguration() {
        const qsizetype from = lan.heard.size();
        sendOnLan(QStringLiteral("PNRVICM,1,19,1"));
        EXPECT_TRUE(
            listenUntil([&] { return !unitIcms(kCoefficients, from).empty(); }, kConfirmMs));
        return from;
    }
    QList<int> reported(int command) {
        const qsizetype from = askConfiguration();
        const auto found = unitIcms(command, from);
        return found.empty() ? QList<int>() : found.back()->msgParameters();
    }

    static constexpr int kJunctionBox = 10;
    static constexpr int kVessel = 11;
    static constexpr int kCoefficients = 25;
};

TEST_F(ConfigurationRun, CommandsWithEmptyFieldsChangeNothingAndSoundOnesAreStored) {
    start();
    ASSERT_TRUE(joined());
    // The address of the interface in use and the four-digit identifier, then the version.
    const QList<int> junctionBox = reported(kJunctionBox);
    ASSERT_EQ(junctionBox.size(), 16);
    EXPECT_EQ(junctionBox.mid(0, 5), (QList<int>{127, 0, 0, 1, 101}));
    const QList<int> vessel = reported(kVessel);
    const QList<int> coefficients = reported(kCoefficients);
    ASSERT_EQ(coefficients.size(), 11);

    qsizetype from = lan.heard.size();
    sendOnLan(QStringLiteral("PNRVICM,1,25,,0,0,0,0,0,0,0,0,0,0"));
    sendOnLan(QStringLiteral("PNRVICM,1,11") + QStringLiteral(",").repeated(21));
    listenFor(1500);
    // Neither echoed nor ever reported with an empty value.
    for (const int command : {kCoefficients, kVessel}) {
        for (const auto& icm : unitIcms(command, from)) {
            EXPECT_FALSE(icm->msgParameters().contains(INT_MAX))
                << icm->getMsgBuffer().toStdString();
        }
    }
    EXPECT_EQ(reported(kCoefficients), coefficients);
    EXPECT_EQ(reported(kVessel), vessel);

    from = lan.heard.size();
    sendOnLan(QStringLiteral("PNRVICM,1,25,150,0,0,0,0,0,0,0,0,0,0"));
    EXPECT_TRUE(listenUntil([&] { return !unitIcms(kCoefficients, from).empty(); }, kConfirmMs));
    EXPECT_EQ(reported(kCoefficients).value(0), 150) << "installation angle 1.50 degrees";

    // A new sampling distance is a new configuration for the sensor.
    QList<int> changed = vessel;
    changed[20] = vessel[20] + 5;
    QStringList fields;
    for (const int value : changed) {
        fields << QString::number(value);
    }
    const qsizetype configurations = sensor.receivedBytes().count("$PNRVCFG,");
    sendOnLan(QStringLiteral("PNRVICM,1,11,") + fields.join(QLatin1Char(',')));
    EXPECT_TRUE(listenUntil(
        [&] { return sensor.receivedBytes().count("$PNRVCFG,") > configurations; }, kConfirmMs))
        << "no configuration reached the sensor";
    EXPECT_EQ(reported(kVessel).value(20), changed[20]);
}

// The calibration pages show live data; a point taken from measurement has the GPS speed as
// its true speed; a new primary frequency brings every point again.
TEST_F(DisplayRun, CalibrationPagesShowLiveDataAndPointsAreTakenFromMeasurement) {
    everySecond = [this] { sendGps(6.6, 0.0); };
    start();
    ASSERT_TRUE(listenUntil([&] { return sensorSpeedsValid(nmea1Heard.heard()); }, 20000));

    constexpr int kManualData = 22;
    sendOnLan(QStringLiteral("PNRVICM,1,18,0"));
    ASSERT_TRUE(listenUntil([&] { return !unitIcms(kManualData).empty(); }, kConfirmMs));
    EXPECT_EQ(unitIcms(kManualData).back()->msgParameters().value(0), 660) << "GPS speed";

    constexpr int kPoint = 21;
    constexpr int kInUse = 24;
    constexpr int kRejected = 28;
    qsizetype from = lan.heard.size();
    sendOnLan(QStringLiteral("PNRVICM,1,21,1,1,0,0,0,0,1,1,1"));
    // The points in use and the taken point itself may come in either order.
    const auto takenPoint = [&]() -> QList<int> {
        for (const auto& point : unitIcms(kPoint, from)) {
            const QList<int> p = point->msgParameters();
            if (p.value(0) == 1 && p.value(1) == 1) {
                return p;
            }
        }
        return {};
    };
    ASSERT_TRUE(listenUntil(
        [&] { return !unitIcms(kInUse, from).empty() && !takenPoint().isEmpty(); }, 8000))
        << unit.log().constData();
    EXPECT_TRUE(unitIcms(kRejected, from).empty());
    EXPECT_EQ(takenPoint().value(2), 660) << "true speed";

    from = lan.heard.size();
    sendOnLan(QStringLiteral("PNRVICM,1,39,30,15,0,50"));
    EXPECT_TRUE(listenUntil([&] { return unitIcms(kPoint, from).size() >= 20; }, kConfirmMs));
}

// The alert manager on the ship's network is known by its identifier: it may take the
// responsibility for a raised alert, known by the identifier the display gave it last.
TEST_F(DisplayRun, TheAlertManagerOnTheLanTakesResponsibilityForARaisedAlert) {
    start();
    ASSERT_TRUE(joined());
    stopSensor();
    const qint64 stoppedAt = clock.elapsed();
    ASSERT_TRUE(listenUntil([&] { return sensorAlert(stoppedAt, "V") != nullptr; }, 22000));
    const auto raised = sensorAlert(stoppedAt, "V");

    // The display gives the system alerts another identifier: the raised alert takes it, and
    // the alert manager knows it by that one.
    constexpr quint32 kRenumbered = 3016;
    ASSERT_NE(raised->alertIdentifier(), kRenumbered);
    sendOnLan(QStringLiteral("PNRVICM,1,13,3032,3032,3032,3032,%1,0,0").arg(kRenumbered));
    listenFor(1000);
    const qint64 sentAt = clock.elapsed();
    sendOnLan(QStringLiteral("CAACN,%1,,%2,%3,O,C")
                  .arg(QDateTime::currentDateTimeUtc().toString(QStringLiteral("HHmmss.00")))
                  .arg(kRenumbered)
                  .arg(raised->alertInstance()),
              QString::fromLatin1(kUnitSfi), QString::fromLatin1(kAlertManagerSfi));
    ASSERT_TRUE(listenUntil([&] { return sensorAlert(sentAt, "O") != nullptr; }, kConfirmMs))
        << "the alert manager's responsibility was not taken";
    EXPECT_EQ(sensorAlert(sentAt, "O")->alertIdentifier(), kRenumbered);
}

} // namespace
