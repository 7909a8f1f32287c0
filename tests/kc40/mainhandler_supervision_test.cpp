#include "casename.h"
#include "distancekeeping.h"
#include "mainhandler.h"
#include "msghbt.h"
#include "multicasttesting.h"
#include "nmeasettings.h"
#include "platform.h"
#include "speedcalibrationdata.h"
#include "systemsetup.h"
#include "systemvariables.h"
#include "testroot.h"
#include "udpmulticastcreator.h"
#include "udpmulticastparser.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <QScopeGuard>

#include <functional>
#include <vector>

namespace {
const QHostAddress kNavdGroup(QStringLiteral("239.192.0.4"));

// What the central object tells the alarm side, the scheduler and the sensor worker.
struct Heard {
    std::vector<int> raised;
    std::vector<int> cleared;
    int displayResets = 0;
    int sensorResets = 0;
    int disconnects = 0;
    int initialConfigs = 0;
    int configs = 0;
    int peerHeartBeats = 0;
};

// The central object on a fresh board root; the sensor worker is left out so that no command
// waits for a sensor that is not there.
class Supervision : public ::testing::Test {
protected:
    Supervision() {
        Platform::configure(root.path(), QStringLiteral("lo"));
        SystemSetup::resetForTests();
        SpeedCalibrationData::resetForTests();
        unit = std::make_unique<MainHandler>();
        MainHandler* u = unit.get();
        QObject::disconnect(u, &MainHandler::sigSendInitialConfig, nullptr, nullptr);
        QObject::disconnect(u, &MainHandler::sigSendConfig, nullptr, nullptr);
        QObject::connect(u, &MainHandler::sigSetSystemAlarm,
                         [this](int type) { heard.raised.push_back(type); });
        QObject::connect(u, &MainHandler::sigExitSystemAlarm,
                         [this](int type) { heard.cleared.push_back(type); });
        QObject::connect(u, &MainHandler::sigResetDisplayHeartBeat,
                         [this] { ++heard.displayResets; });
        QObject::connect(u, &MainHandler::sigResetSensorHeartBeat,
                         [this] { ++heard.sensorResets; });
        QObject::connect(u, &MainHandler::sigDisconnectFromPaired, [this] { ++heard.disconnects; });
        QObject::connect(u, &MainHandler::sigSendInitialConfig, [this] { ++heard.initialConfigs; });
        QObject::connect(u, &MainHandler::sigSendConfig, [this] { ++heard.configs; });
        QObject::connect(u, &MainHandler::sigReceivedHbtFromBam,
                         [this] { ++heard.peerHeartBeats; });
    }
    ~Supervision() override {
        unit.reset();
        SpeedCalibrationData::resetForTests();
        SystemSetup::resetForTests();
        Platform::configure(QString(), QString());
    }

    SystemSetup& setup() { return *SystemSetup::getInstance(); }

    TestRoot root;
    std::unique_ptr<MainHandler> unit;
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
    unit->setReceiveDataFromSensor(true);
    unit->slotSensorHeratBeatAlarm();
    unit->slotSensorHeratBeatAlarm();
    EXPECT_EQ(heard.raised, c.raised);
    EXPECT_EQ(heard.cleared, c.cleared);
    EXPECT_EQ(heard.sensorResets, c.resets);
    EXPECT_EQ(unit->isVQ2_SensorValid(), c.sensorValid);
    EXPECT_FALSE(unit->isReceiveDataFromSensor());
}

INSTANTIATE_TEST_SUITE_P(
    MainHandler, SensorSilent,
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
    unit->slotSensorHeratBeatAlarm();
    EXPECT_FALSE(setup().simulationParameters.SimulationModeOn);
    EXPECT_TRUE(setup().simulationParameters.changeConfirmed);
}

TEST_F(Supervision, LostSensorInvalidatesBothSensorModels) {
    SystemVariables* store = SystemVariables::getInstance();
    store->vq2data.depthFwdAvg.setValue(12.0f, 0);
    store->vq2dataDat5.depthFwdAvg.setValue(12.0f, 0);
    unit->slotSensorHeratBeatAlarm();
    EXPECT_FALSE(store->vq2data.depthFwdAvg.getValidity());
    EXPECT_FALSE(store->vq2dataDat5.depthFwdAvg.getValidity());
}

TEST_F(Supervision, LostSensorShowsEverySensorValueUnknownOnce) {
    REQUIRE_LOOPBACK_MULTICAST();
    GroupListener navd(kNavdGroup, 60004);
    ASSERT_TRUE(navd.opened);
    // A source of its own: units of other tests may be losing their sensors on the group too.
    const QString ownSfi = QStringLiteral("VD0177");
    NmeaSettings::setSourceSfi(ownSfi);
    const auto restoreSfi =
        qScopeGuard([] { NmeaSettings::setSourceSfi(QStringLiteral("VD0101")); });
    // Twelve absent values: empty fields.
    const QString unknown =
        QStringLiteral("ICM,1,32") + QStringLiteral(",").repeated(12) + QStringLiteral("*");
    const auto fromThisUnit = [&] {
        size_t count = 0;
        for (const QByteArray& datagram : navd.heard) {
            const std::optional<QString> text = MulticastSocket::datagramText(datagram);
            count += text && text->contains(unknown) &&
                     UdpMulticastParser::firstSourceTag(QByteArrayView(datagram).sliced(
                         UdpMulticastCreator::getMulticastPrefixHeader().size())) == ownSfi;
        }
        return count;
    };
    unit->slotSensorHeratBeatAlarm();
    unit->slotSensorHeratBeatAlarm();
    ASSERT_TRUE(waitFor([&] { return fromThisUnit() > 0; }, 3000))
        << navd.heard.join('|').toStdString();
    spinFor(200);
    EXPECT_EQ(fromThisUnit(), 1u);
}

TEST_F(Supervision, NextSensorSentenceClearsSensorLostAndReconfigures) {
    unit->slotSensorHeratBeatAlarm();
    unit->notifySensorMsgReceived();
    unit->notifySensorMsgReceived();
    EXPECT_EQ(heard.cleared, std::vector<int>{MainHandler::SYS_SENSOR_LOST});
    EXPECT_EQ(heard.configs, 1);
    EXPECT_EQ(heard.sensorResets, 3);
    EXPECT_TRUE(unit->isVQ2_SensorValid());
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
    QObject::connect(unit.get(), &MainHandler::sigPingPulse,
                     [&](bool shallow) { pulses.push_back(shallow); });
    unit->notifySensorMsgReceived();
    depth.setUseAverage(averaged);
    EXPECT_EQ(pulses, std::vector<bool>{c.pulse});
}

INSTANTIATE_TEST_SUITE_P(MainHandler, SensorSentence,
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
    unit->slotDisplayHeratBeatAlarm();
    unit->slotDisplayHeratBeatAlarm();
    EXPECT_EQ(heard.raised, c.raised);
    EXPECT_EQ(heard.disconnects, c.disconnects);
    EXPECT_EQ(heard.displayResets, c.resets);
}

INSTANTIATE_TEST_SUITE_P(
    MainHandler, DisplaySilent,
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
    unit->setDisplayConnectedCheck([&](const QString& id, const QString& mac) {
        asked << id << mac;
        return c.paired;
    });
    unit->slotDisplayHeratBeatAlarm();
    unit->slotDisplayHeartBeatReceived("RV0001", "00:11:22:33:44:55");
    unit->slotDisplayHeartBeatReceived("RV0001", "00:11:22:33:44:55");
    EXPECT_EQ(asked.mid(0, 2), QStringList({"RV0001", "00:11:22:33:44:55"}));
    EXPECT_EQ(heard.cleared, c.cleared);
    EXPECT_EQ(heard.displayResets, c.resets);
}

INSTANTIATE_TEST_SUITE_P(
    MainHandler, DisplayHeartBeat,
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
    unit->slotHeartBeatBamCam(hbt);
    EXPECT_EQ(heard.peerHeartBeats, c.resets);
}

INSTANTIATE_TEST_SUITE_P(MainHandler, AlertPeer,
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
    unit->slotSendInitialConfigToSensor();
    unit->slotSendInitialConfigToSensor();
    EXPECT_EQ(heard.initialConfigs, c.configs);
    EXPECT_EQ(setup().getWakeUpAfterPowerOff(), c.wakeUpAfterPowerOff);
}

INSTANTIATE_TEST_SUITE_P(MainHandler, SensorStart,
                         ::testing::Values(InitialConfigCase{"SentEachTime", asDelivered, 2, false},
                                           InitialConfigCase{
                                               "DisplayInStandbyPutsTheUnitToStandby",
                                               [](SystemSetup& s) {
                                                   s.RvN003Setup.set(
                                                       &RV_N_003_Setup_S::systemInStandby, true);
                                               },
                                               0, true}),
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
