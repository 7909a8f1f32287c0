// The simulator's decisions: which command a change of the simulation parameters gives, the
// raw measurement switch, the junction-box simulation's values and the demonstration player.
#include "demoplayer.h"
#include "freshunit.h"
#include "kc40_simulator.h"
#include "logfileparser.h"
#include "platformtimer.h"
#include "signallog.h"
#include "simulator.h"
#include "waitfor.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

struct Parameters {
    bool mode = false;
    bool alarmTest = false;
    int source = SimulationParameters::SENSOR_FIXED_SPEED;
    float speedLong = 1.0f;
    float speedTra = 1.0f;
};

class SimulatorTest : public ::testing::Test {
protected:
    SimulatorTest() {
        log.on(&simulator, &Simulator::sigSendSimulationCommand, "cmd",
               &Simulator::sigStartVQ2RawDataReading, "raw on",
               &Simulator::sigStopVQ2RawDataReading, "raw off");
    }
    void set(const Parameters& p) {
        params.SimulationModeOn = p.mode;
        params.testAlarmOutputOn = p.alarmTest;
        params.simulationSource = p.source;
        params.fixedSpeedLong = p.speedLong;
        params.fixedSpeedTra = p.speedTra;
    }
    void change(const Parameters& p) {
        set(p);
        simulator.slotSimulationParametersChanged();
    }
    void setRaw(int settings) {
        params.rawMeasurementSettings = settings;
        simulator.slotRawMeasurementSettingsChanged();
    }

    FreshUnitRoot root;
    VirtualTime time;
    SimulationParameters params;
    Simulator simulator{params, *SystemVariables::getInstance()};
    SignalLog log;
};

TEST_F(SimulatorTest, EachChangeGivesTheCommandOfTheFirstRuleThatMatches) {
    constexpr int kSensor = SimulationParameters::SENSOR_FIXED_SPEED;
    constexpr int kBox = SimulationParameters::KC_40_FIXED_SPEED;
    constexpr int kGps = SimulationParameters::GPS_SPEED;
    constexpr int kDemo = SimulationParameters::DEMO_SIMULATION;
    const struct {
        Parameters before;
        Parameters after;
        const char* commands;
    } cases[] = {
        {{}, {true}, "cmd:Start,1,1"},
        {{true}, {}, "cmd:Stop,0,0"},
        {{false, false, kBox}, {true, false, kBox, 10.0f, 0.0f}, "cmd:KC40_start,10,0"},
        {{true, false, kGps}, {false, false, kGps}, "cmd:GPS_stop,0,0"},
        {{false, false, kDemo}, {true, false, kDemo}, "cmd:Demo_start,0,0"},
        // Mode and source in one command: the new source starts, the one that ran stops.
        {{false, false, kSensor}, {true, false, kBox}, "cmd:KC40_start,1,1"},
        {{true, false, kDemo}, {false, false, kSensor}, "cmd:Demo_stop,0,0"},
        // The mode wins over the alarm test.
        {{false, false}, {true, true}, "cmd:Start,1,1"},
        {{}, {false, true}, "cmd:AlarmStart,0,0"},
        {{false, true}, {}, "cmd:AlarmStop,0,0"},
        {{true, false, kBox}, {true, false, kGps}, "cmd:KC40_stop,0,0 cmd:GPS_start,0,0"},
        {{false, false, kBox}, {false, false, kGps}, ""},
        // New speeds: only the sensor is told, and only after its stop.
        {{true, false, kBox}, {true, false, kBox, 5.0f}, ""},
        {{true}, {true, false, kSensor, 5.0f}, "cmd:Stop,0,0"},
        {{}, {false, false, kSensor, 5.0f}, ""},
    };
    for (const auto& c : cases) {
        change(c.before);
        log.events.clear();
        change(c.after);
        EXPECT_EQ(log.heard(), c.commands) << "mode " << c.after.mode << " test "
                                           << c.after.alarmTest << " source " << c.after.source;
    }
}

TEST_F(SimulatorTest, TheSensorTakesNewSpeedsAfterItsStopUnlessItNoLongerSimulates) {
    change({true});
    log.events.clear();
    change({true, false, SimulationParameters::SENSOR_FIXED_SPEED, 5.0f, 0.0f});
    time.advance(Simulator::kSensorRestartMs);
    EXPECT_EQ(log.heard(), "cmd:Stop,0,0 cmd:Start,5,0");

    log.events.clear();
    change({true, false, SimulationParameters::SENSOR_FIXED_SPEED, 6.0f, 0.0f});
    change({false, false, SimulationParameters::SENSOR_FIXED_SPEED, 6.0f, 0.0f});
    time.advance(Simulator::kSensorRestartMs);
    EXPECT_EQ(log.heard(), "cmd:Stop,0,0 cmd:Stop,0,0");
}

TEST_F(SimulatorTest, RawReadingFollowsItsSettingAndRestartsWithANewOne) {
    const struct {
        int settings;
        const char* heard;
    } steps[] = {
        {999, ""},         {1000, "raw on:1000"}, {-1000, "raw off"},
        {-999, "raw off"}, {1200, "raw on:1200"},
    };
    for (const auto& step : steps) {
        log.events.clear();
        setRaw(step.settings);
        EXPECT_EQ(log.heard(), step.heard) << step.settings;
    }
    time.advance(Simulator::kRawRestartMs);
    EXPECT_EQ(log.heard(), "raw on:1200");

    // Switched off before the restart: it stays off.
    setRaw(1300);
    setRaw(0);
    log.events.clear();
    time.advance(Simulator::kRawRestartMs);
    EXPECT_EQ(log.heard(), "");
}

TEST_F(SimulatorTest, ADepthIndexOutsideTheListKeepsTheSimulatedDepth) {
    VQ2DataModel& model = SystemVariables::getInstance()->jbSimulationData;
    const struct {
        int index;
        float depth;
    } cases[] = {{1, 26.6f}, {18, 172.1f}, {0, 172.1f}, {19, 172.1f}, {-3, 172.1f}};
    for (const auto& c : cases) {
        params.simulatedDepthIndex = c.index;
        simulator.slotSimulationParametersChanged();
        EXPECT_FLOAT_EQ(model.depthFwd.getValue(), c.depth) << c.index;
    }
}

TEST_F(SimulatorTest, OnlyTheSimulationThatFeedsTheOutputsRunsTheDistances) {
    SystemVariables& values = *SystemVariables::getInstance();
    const auto waterTrip = [&] {
        for (int second = 0; second < 3; ++second) {
            time.advance(1000);
            simulator.updateGPS_Simulation();
        }
        return values.waterDistanceSinceReset.getValue();
    };
    values.longSpeedToGround_GPS_VTG.setValue(36.0f, 0);
    values.tranSpeedToGround_GPS_VTG.setValue(0.0f, 0);
    values.resSpeedToGround_GPS_VTG.setValue(36.0f, 0);
    // A demonstration: the sensor's model feeds the outputs.
    values.vq2data.deltaWaterDistanceTraveled.setValue(0.5f, 0);
    EXPECT_DOUBLE_EQ(waterTrip(), 0.0);
    values.changeVQ2Source(SystemVariables::SourceGpsSimulator);
    // Three seconds at 36 kn.
    EXPECT_NEAR(waterTrip(), 0.03, 1e-4);
}

TEST(KC40_SimulatorTest, SpeedsThroughWaterAndOverGroundAreTheFixedOnes) {
    FreshUnitRoot root;
    VQ2DataModel model;
    KC40_Simulator simulation(model);
    simulation.recalculateValues(3.0f, 4.0f);
    simulation.setSimulatedDepth(52.2f);
    simulation.refresh(1000, kAbsentFloat);
    EXPECT_FLOAT_EQ(model.stwResBoatCallibrated.getValue(), 5.0f);
    EXPECT_FLOAT_EQ(model.sogResBoatCallibrated.getValue(), 5.0f);
    EXPECT_FLOAT_EQ(model.ctwResBoat.getValue(), std::atan2(4.0f, 3.0f));
    EXPECT_FLOAT_EQ(model.sogTraBoatCallibrated.getValue(), 4.0f);
    EXPECT_FLOAT_EQ(model.wcRes.getValue(), 0.0f);
    EXPECT_FLOAT_EQ(model.depthSide.getValue(), 52.2f);
    EXPECT_FLOAT_EQ(model.sensorTemperature.temperatureWithOffset.getValue(), 15.0f);
    // An hour at 5 kn is five miles.
    simulation.refresh(1000 + 3'600'000, kAbsentFloat);
    EXPECT_NEAR(model.deltaWaterDistanceTraveled.getValue(), 5.0f, 1e-3);

    simulation.recalculateValues(kAbsentFloat, 1.0f);
    EXPECT_FALSE(model.stwResBoatCallibrated.getValidity());
    EXPECT_FALSE(model.cogResSensor.getValidity());
}

TEST(LogFileParserTest, EachSecondOfTheLogBecomesOneGroupOfSentences) {
    const QString dlm = QStringLiteral("$VDDLM,-2.4,332.0,3,4,5,6,7,9.6,9");
    const QString datr = QStringLiteral("$PNRVDATR,1,2,3,4,5,6,333.0,8");
    const QString dat4 = QStringLiteral("$PNRVDAT,4,+9.0");
    const QString dat5 = QStringLiteral("$PNRVDAT,5,+9.1");
    const QString group =
        QStringLiteral("$HEROT,-2.4,A\n$HEHDT,332.0,T\n$GPVTG,333.0,T,,M,9.6,N,,K,A\n") + dat4 +
        "\n" + dat5 + "\n";
    const struct {
        const char* name;
        QStringList log;
        QString demo;
    } cases[] = {
        {"whole second", {dlm, dlm, datr, dat4, dat5}, group},
        {"DLM short of fields", {QStringLiteral("$VDDLM,1,2,3"), datr, dat4, dat5}, QString()},
        {"DATR cut before its course",
         {dlm, QStringLiteral("$PNRVDATR,1,2,3,4"), dat4, dat5},
         QString()},
        {"no DATR",
         {dlm, dat4, dat5},
         QStringLiteral("$HEROT,-2.4,A\n$HEHDT,332.0,T\n") + dat4 + "\n" + dat5 + "\n"},
        {"DAT4 first in its line is not taken",
         {dlm, datr, QStringLiteral("DAT,4"), dat5},
         dat5 + "\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LogFileParser::convert(c.log), c.demo) << c.name;
    }
}

class DemoPlayerTest : public ::testing::Test {
protected:
    DemoPlayerTest() {
        QObject::connect(
            &player, &DemoPlayer::nmeaMessageFromFile,
            [this](const NmeaMessagePtr& m) { played << m->getMsgBuffer().trimmed(); });
    }

    FreshUnitRoot root;
    VirtualTime time;
    DemoPlayer player;
    QStringList played;
};

TEST_F(DemoPlayerTest, LinesPlayFiveASecondRoundAndRound) {
    root.writeFile(QStringLiteral("/opt/demo_data.txt"), "$HEHDT,1.0,T\r\n$HEROT,2.0,A\r\n");
    player.playDemo();
    time.advance(6 * DemoPlayer::kLineIntervalMs);
    EXPECT_EQ(played, (QStringList{"$HEHDT,1.0,T*2E", "$HEROT,2.0,A*29", "$HEHDT,1.0,T*2E",
                                   "$HEROT,2.0,A*29", "$HEHDT,1.0,T*2E", "$HEROT,2.0,A*29"}));
    player.stopDemo();
    time.advance(DemoPlayer::kLineIntervalMs);
    EXPECT_EQ(played.size(), 6);
}

TEST_F(DemoPlayerTest, WithoutAFileTheBuiltInDemonstrationPlays) {
    player.playDemo();
    time.advance(5 * DemoPlayer::kLineIntervalMs);
    EXPECT_EQ(player.filePath(), QLatin1String(DemoPlayer::kBuiltInDemo));
    ASSERT_EQ(played.size(), 5);
    EXPECT_TRUE(played[3].startsWith(QLatin1String("$PNRVDAT,4,"))) << played[3].toStdString();
}

TEST_F(DemoPlayerTest, AStopDuringTheLogConversionIsFinal) {
    root.writeFile(QStringLiteral("/media/usb0/norvane/demo/log_data.txt"),
                   "$VDDLM,-2.4,332.0,3,4,5,6,7,9.6,9\n$PNRVDAT,4,+9.0\n");
    bool converted = false;
    QObject::connect(&player, &DemoPlayer::parseFile, [&] { converted = true; });
    player.playDemo();
    player.stopDemo();
    ASSERT_TRUE(converted);
    // The converted demonstration arrives after the stop.
    ASSERT_TRUE(waitFor([&] { return root.exists(QStringLiteral("/opt/demo_data.txt")); }));
    time.advance(5 * DemoPlayer::kLineIntervalMs);
    EXPECT_FALSE(player.isRunning());
    EXPECT_TRUE(played.isEmpty());
}

} // namespace
