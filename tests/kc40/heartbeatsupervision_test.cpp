#include "casename.h"
#include "displaycommands.h"
#include "distancekeeping.h"
#include "freshunit.h"
#include "heartbeatsupervision.h"
#include "msghbt.h"
#include "msgicm.h"
#include "platform.h"
#include "sensorcontrol.h"
#include "serialsensor.h"
#include "speedcalibrationdata.h"
#include "systemsetup.h"
#include "systemvariables.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

namespace {

// What the supervision and the sensor's start tell the alarm side, the scheduler, the network
// and the sensor worker.
struct Heard {
    std::vector<int> raised;
    std::vector<int> cleared;
    int displayResets = 0;
    int sensorResets = 0;
    int disconnects = 0;
    int returns = 0;
    int initialConfigs = 0;
    int peerHeartBeats = 0;
    std::vector<NmeaMessagePtr> sent;
};

// The supervision and the sensor's start on a fresh board root.
class Supervision : public ::testing::Test {
protected:
    Supervision() {
        supervision = std::make_unique<HeartbeatSupervision>(setup(), store());
        commands = std::make_unique<DisplayCommands>(setup());
        control = std::make_unique<SensorControl>(setup(), *commands, store(), line);
        HeartbeatSupervision* s = supervision.get();
        QObject::connect(s, &HeartbeatSupervision::sigSetSystemAlarm,
                         [this](SystemAlarmType type) { heard.raised.push_back(type); });
        QObject::connect(s, &HeartbeatSupervision::sigExitSystemAlarm,
                         [this](SystemAlarmType type) { heard.cleared.push_back(type); });
        QObject::connect(s, &HeartbeatSupervision::sigResetDisplayHeartBeat,
                         [this] { ++heard.displayResets; });
        QObject::connect(s, &HeartbeatSupervision::sigResetSensorHeartBeat,
                         [this] { ++heard.sensorResets; });
        QObject::connect(s, &HeartbeatSupervision::sigDisconnectFromPaired,
                         [this] { ++heard.disconnects; });
        QObject::connect(s, &HeartbeatSupervision::sigSensorReturned, [this] { ++heard.returns; });
        QObject::connect(s, &HeartbeatSupervision::sigReceivedHbtFromBam,
                         [this] { ++heard.peerHeartBeats; });
        QObject::connect(s, &HeartbeatSupervision::sigSendSingleOnUdpOutput,
                         [this](NmeaMessagePtr m) { heard.sent.push_back(m); });
        QObject::connect(control.get(), &SensorControl::sigSendInitialConfig,
                         [this] { ++heard.initialConfigs; });
    }

    SystemSetup& setup() { return *SystemSetup::getInstance(); }
    SystemVariables& store() { return *SystemVariables::getInstance(); }

    FreshUnitRoot root;
    SerialSensor line;
    std::unique_ptr<HeartbeatSupervision> supervision;
    std::unique_ptr<DisplayCommands> commands;
    std::unique_ptr<SensorControl> control;
    Heard heard;
};

using Arrange = std::function<void(SystemSetup&)>;
void asDelivered(SystemSetup&) {}
void inStandby(SystemSetup& s) {
    s.confirmSystemStandby(true);
}
void systemAlarmsOff(SystemSetup& s) {
    s.AlarmIDsSetup.set(&AlarmIDs_Setup_S::systemAlarmID, 0);
}
void satLog(SystemSetup& s) {
    s.Vq2Setup.set(&VQ2_Setup_S::outputParams, VQ2_Setup::kSatLog);
}
void simulatingWithoutSensor(SystemSetup& s) {
    s.simulationParameters.SimulationModeOn = true;
    s.simulationParameters.simulationSource = SimulationParameters::KC_40_FIXED_SPEED;
}
void simulatingWithSensor(SystemSetup& s) {
    s.simulationParameters.SimulationModeOn = true;
    s.simulationParameters.simulationSource = SimulationParameters::SENSOR_FIXED_SPEED;
}

struct SensorLostCase {
    const char* name;
    Arrange arrange;
    std::vector<int> raised;
    std::vector<int> cleared;
    int resets;
    bool sensorValid;
};
void PrintTo(const SensorLostCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class SensorSilent : public Supervision, public ::testing::WithParamInterface<SensorLostCase> {};

// Two supervision periods without a sensor sentence.
TEST_P(SensorSilent, TwoChecks) {
    const SensorLostCase& c = GetParam();
    c.arrange(setup());
    supervision->slotSensorDataReceived(false);
    supervision->slotSensorHeratBeatAlarm();
    supervision->slotSensorHeratBeatAlarm();
    EXPECT_EQ(heard.raised, c.raised);
    EXPECT_EQ(heard.cleared, c.cleared);
    EXPECT_EQ(heard.sensorResets, c.resets);
    EXPECT_EQ(supervision->isVQ2_SensorValid(), c.sensorValid);
    EXPECT_FALSE(supervision->isReceiveDataFromSensor());
}

INSTANTIATE_TEST_SUITE_P(
    Supervision, SensorSilent,
    ::testing::Values(
        SensorLostCase{"RaisesSensorLostOnce", asDelivered, {1}, {}, 2, false},
        SensorLostCase{"StandbyOnlyRestartsTheCount", inStandby, {}, {}, 2, true},
        SensorLostCase{"NothingWithSystemAlarmsOff", systemAlarmsOff, {}, {}, 0, true},
        SensorLostCase{"NothingWithoutSensorInUse", satLog, {}, {}, 0, true},
        SensorLostCase{
            "ExpectedWhileSimulatingWithoutSensor", simulatingWithoutSensor, {}, {1, 1}, 2, true},
        SensorLostCase{"RaisedWhileTheSensorSimulates", simulatingWithSensor, {1}, {}, 2, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Supervision, LostSensorEndsItsOwnSimulation) {
    simulatingWithSensor(setup());
    supervision->slotSensorHeratBeatAlarm();
    EXPECT_FALSE(setup().simulationParameters.SimulationModeOn);
    EXPECT_TRUE(setup().simulationParameters.changeConfirmed);
}

TEST_F(Supervision, LostSensorInvalidatesBothSensorModels) {
    SystemVariables* store = SystemVariables::getInstance();
    store->vq2data.depthFwdAvg.setValue(12.0f, 0);
    store->vq2dataDat5.depthFwdAvg.setValue(12.0f, 0);
    supervision->slotSensorHeratBeatAlarm();
    EXPECT_FALSE(store->vq2data.depthFwdAvg.getValidity());
    EXPECT_FALSE(store->vq2dataDat5.depthFwdAvg.getValidity());
}

TEST_F(Supervision, LostSensorShowsEverySensorValueUnknownOnce) {
    supervision->slotSensorHeratBeatAlarm();
    supervision->slotSensorHeratBeatAlarm();
    ASSERT_EQ(heard.sent.size(), 1u);
    const auto monitoring = std::dynamic_pointer_cast<MsgICM>(heard.sent.front());
    ASSERT_TRUE(monitoring);
    EXPECT_EQ(monitoring->commandID(), int(msgCommands::QualityFactorDataCommand));
    EXPECT_EQ(monitoring->msgParameters(), QList<int>(12, INT_MAX));
}

TEST_F(Supervision, NextSensorSentenceClearsSensorLostAndReconfigures) {
    supervision->slotSensorHeratBeatAlarm();
    supervision->slotSensorDataReceived(true);
    supervision->slotSensorDataReceived(true);
    EXPECT_EQ(heard.cleared, std::vector<int>{SYS_SENSOR_LOST});
    EXPECT_EQ(heard.returns, 1);
    EXPECT_EQ(heard.sensorResets, 3);
    EXPECT_TRUE(supervision->isVQ2_SensorValid());
}

struct PingCase {
    const char* name;
    float depth;
    bool valid;
    bool pulse;
};
void PrintTo(const PingCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class SensorSentence : public Supervision, public ::testing::WithParamInterface<PingCase> {};

TEST_P(SensorSentence, PingsTheSounderPulseInShallowWater) {
    const PingCase& c = GetParam();
    varFloat& depth = SystemVariables::getInstance()->vq2data.depthFwdAvg;
    // The sounder pulse follows the averaged depth as it stands, whatever its filter.
    const bool averaged = depth.getUseAverage();
    depth.setUseAverage(false);
    depth.setValue(c.depth, 0);
    depth.setValidity(c.valid);
    std::vector<bool> pulses;
    QObject::connect(supervision.get(), &HeartbeatSupervision::sigPingPulse,
                     [&](bool shallow) { pulses.push_back(shallow); });
    supervision->slotSensorDataReceived(true);
    depth.setUseAverage(averaged);
    EXPECT_EQ(pulses, std::vector<bool>{c.pulse});
}

INSTANTIATE_TEST_SUITE_P(Supervision, SensorSentence,
                         ::testing::Values(PingCase{"Shallow", 9.9f, true, true},
                                           PingCase{"AtTheLimit", 10.0f, true, false},
                                           PingCase{"Deep", 40.0f, true, false},
                                           PingCase{"Unknown", 5.0f, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct DisplayLostCase {
    const char* name;
    Arrange arrange;
    std::vector<int> raised;
    int disconnects;
    int resets;
};
void PrintTo(const DisplayLostCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class DisplaySilent : public Supervision, public ::testing::WithParamInterface<DisplayLostCase> {};

TEST_P(DisplaySilent, TwoChecks) {
    const DisplayLostCase& c = GetParam();
    c.arrange(setup());
    supervision->slotDisplayHeratBeatAlarm();
    supervision->slotDisplayHeratBeatAlarm();
    EXPECT_EQ(heard.raised, c.raised);
    EXPECT_EQ(heard.disconnects, c.disconnects);
    EXPECT_EQ(heard.displayResets, c.resets);
}

INSTANTIATE_TEST_SUITE_P(
    Supervision, DisplaySilent,
    ::testing::Values(DisplayLostCase{"RaisesDisplayLostOnceAndUnpairs", asDelivered, {2}, 1, 0},
                      DisplayLostCase{"StandbyOnlyRestartsTheCount", inStandby, {}, 0, 2},
                      DisplayLostCase{"NothingWithSystemAlarmsOff", systemAlarmsOff, {}, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct DisplayBeatCase {
    const char* name;
    bool paired;
    std::vector<int> cleared;
    int resets;
};
void PrintTo(const DisplayBeatCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class DisplayHeartBeat : public Supervision,
                         public ::testing::WithParamInterface<DisplayBeatCase> {};

TEST_P(DisplayHeartBeat, AfterTheDisplayWasLost) {
    const DisplayBeatCase& c = GetParam();
    QStringList asked;
    supervision->setDisplayConnectedCheck([&](const QString& id, const QString& mac) {
        asked << id << mac;
        return c.paired;
    });
    supervision->slotDisplayHeratBeatAlarm();
    supervision->slotDisplayHeartBeatReceived("RV0001", "00:11:22:33:44:55");
    supervision->slotDisplayHeartBeatReceived("RV0001", "00:11:22:33:44:55");
    EXPECT_EQ(asked.mid(0, 2), QStringList({"RV0001", "00:11:22:33:44:55"}));
    EXPECT_EQ(heard.cleared, c.cleared);
    EXPECT_EQ(heard.displayResets, c.resets);
}

INSTANTIATE_TEST_SUITE_P(
    Supervision, DisplayHeartBeat,
    ::testing::Values(DisplayBeatCase{"FromThePairedDisplayClearsOnce", true, {2}, 2},
                      DisplayBeatCase{"FromAnUnpairedDisplayIsIgnored", false, {}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct PeerCase {
    const char* name;
    QString sourceSfi;
    int resets;
};
void PrintTo(const PeerCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class AlertPeer : public Supervision, public ::testing::WithParamInterface<PeerCase> {};

TEST_P(AlertPeer, HeartBeatRestartsItsSupervision) {
    const PeerCase& c = GetParam();
    auto hbt = std::make_shared<MsgHBT>();
    hbt->setSourceSFI(c.sourceSfi);
    supervision->slotHeartBeatBamCam(hbt);
    EXPECT_EQ(heard.peerHeartBeats, c.resets);
}

INSTANTIATE_TEST_SUITE_P(Supervision, AlertPeer,
                         ::testing::Values(PeerCase{"TheJunctionBoxAlarmIdentity", "CA1235", 1},
                                           PeerCase{"AnotherUnit", "II0001", 0},
                                           PeerCase{"NoTagBlock", "", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct InitialConfigCase {
    const char* name;
    Arrange arrange;
    int configs;
    bool wakeUpAfterPowerOff;
};
void PrintTo(const InitialConfigCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class SensorStart : public Supervision, public ::testing::WithParamInterface<InitialConfigCase> {};

TEST_P(SensorStart, InitialConfiguration) {
    const InitialConfigCase& c = GetParam();
    c.arrange(setup());
    control->slotSendInitialConfigToSensor();
    control->slotSendInitialConfigToSensor();
    EXPECT_EQ(heard.initialConfigs, c.configs);
    EXPECT_EQ(setup().getWakeUpAfterPowerOff(), c.wakeUpAfterPowerOff);
}

INSTANTIATE_TEST_SUITE_P(Supervision, SensorStart,
                         ::testing::Values(InitialConfigCase{"SentEachTime", asDelivered, 2, false},
                                           InitialConfigCase{"NotInStandby", inStandby, 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// What the once-a-minute save writes, the next start reads back.
TEST_F(Supervision, StoredDistancesComeBackAtTheNextStart) {
    SystemVariables* store = SystemVariables::getInstance();
    store->initDistances(1234.5, 12.5, 2345.5, 23.5);
    DistanceKeeping(setup(), *store).slotSave();

    SystemSetup::resetForTests();
    store->initDistances(0.0, 0.0, 0.0, 0.0);
    DistanceKeeping(setup(), *store).restore();
    EXPECT_DOUBLE_EQ(store->totalCumulativeWaterDistance.getValue(), 1234.5);
    EXPECT_DOUBLE_EQ(store->waterDistanceSinceReset.getValue(), 12.5);
    EXPECT_DOUBLE_EQ(store->totalCumulativeGroundDistance.getValue(), 2345.5);
    EXPECT_DOUBLE_EQ(store->groundDistanceSinceReset.getValue(), 23.5);
}
} // namespace
