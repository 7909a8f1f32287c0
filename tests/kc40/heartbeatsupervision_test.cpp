#include "displaycommands.h"
#include "distancekeeping.h"
#include "freshunit.h"
#include "heartbeatsupervision.h"
#include "msghbt.h"
#include "msgicm.h"
#include "sensorcontrol.h"
#include "serialsensor.h"
#include "signallog.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <map>
#include <tuple>

namespace {

const QString kPaired = QStringLiteral("RV0001");
const QString kMac = QStringLiteral("00:11:22:33:44:55");

// The supervision and the sensor's start on a fresh board root. What they tell the alarm
// side (alert 1 is the lost sensor, 2 the lost display), the scheduler, the network and the
// sensor worker is written down.
struct Rig {
    using S = HeartbeatSupervision;
    Rig() {
        supervision.setDisplayConnectedCheck(
            [](const QString& id, const QString& mac) { return id == kPaired && mac == kMac; });
        log.on(&supervision, &S::sigSetSystemAlarm, "raise", &S::sigExitSystemAlarm, "clear",
               &S::sigResetDisplayHeartBeat, "resetDisplay", &S::sigResetSensorHeartBeat,
               "resetSensor", &S::sigDisconnectFromPaired, "unpair", &S::sigSensorReturned,
               "returned", &S::sigReceivedHbtFromBam, "peer", &S::sigPingPulse, "ping",
               &S::sigSendSingleOnUdpOutput, "udp");
        QObject::connect(&control, &SensorControl::sigSendInitialConfig,
                         [this] { log.events << QStringLiteral("initialConfig"); });
    }

    FreshUnitRoot root;
    SignalLog log; // outlives the parts
    SystemSetup& setup = *SystemSetup::getInstance();
    SystemVariables& store = *SystemVariables::getInstance();
    SerialSensor line;
    HeartbeatSupervision supervision{setup, store};
    DisplayCommands commands{setup};
    SensorControl control{setup, commands, store, line};
};

using Arrange = void (*)(SystemSetup&);
const Arrange asDelivered = [](SystemSetup&) {};
const Arrange inStandby = [](SystemSetup& s) { s.confirmSystemStandby(true); };
const Arrange alarmsOff = [](SystemSetup& s) {
    s.AlarmIDsSetup.set(&AlarmIDs_Setup_S::systemAlarmID, 0);
};
const Arrange satLog = [](SystemSetup& s) {
    s.Vq2Setup.set(&VQ2_Setup_S::outputParams, VQ2_Setup::kSatLog);
};
// Simulated speeds from the junction box (without the sensor) or from the sensor itself.
template <int source> void simulating(SystemSetup& s) {
    s.simulationParameters.SimulationModeOn = true;
    s.simulationParameters.simulationSource = source;
}
const Arrange withoutSensor = simulating<SimulationParameters::KC_40_FIXED_SPEED>;
const Arrange bySensor = simulating<SimulationParameters::SENSOR_FIXED_SPEED>;

// Two supervision periods without a sensor sentence.
TEST(Supervision, SilentSensor) {
    // Whether the sensor counts as valid, both its data sets were dropped, the simulation runs.
    const std::tuple<const char*, Arrange, const char*, bool, bool, bool> cases[] = {
        {"raises sensor lost once and shows every sensor value unknown", asDelivered,
         "resetSensor raise:1 udp:ICM32 resetSensor", false, true, false},
        {"standby only restarts the count", inStandby, "resetSensor resetSensor", true, false,
         false},
        {"nothing with system alarms off", alarmsOff, "", true, false, false},
        {"nothing without sensor in use", satLog, "", true, false, false},
        {"expected while simulating without sensor", withoutSensor,
         "resetSensor clear:1 resetSensor clear:1", true, true, true},
        {"raised while the sensor simulates, which ends its simulation", bySensor,
         "resetSensor raise:1 udp:ICM7 udp:ICM32 resetSensor", false, true, false},
    };
    for (const auto& [name, arrange, heard, sensorValid, dataDropped, simulating] : cases) {
        SCOPED_TRACE(name);
        Rig rig;
        arrange(rig.setup);
        rig.store.vq2data.depthFwd.setValue(12.0f, 1);
        rig.store.vq2dataDat5.depthFwd.setValue(12.0f, 1);
        rig.supervision.slotSensorDataReceived(false);
        rig.supervision.slotSensorHeratBeatAlarm();
        rig.supervision.slotSensorHeratBeatAlarm();
        EXPECT_EQ(rig.log.heard(), heard);
        EXPECT_EQ(rig.supervision.isVQ2_SensorValid(), sensorValid);
        EXPECT_FALSE(rig.supervision.isReceiveDataFromSensor());
        EXPECT_EQ(rig.store.vq2data.depthFwd.getValidity(), !dataDropped);
        EXPECT_EQ(rig.store.vq2dataDat5.depthFwd.getValidity(), !dataDropped);
        EXPECT_EQ(rig.setup.simulationParameters.SimulationModeOn, simulating);
        for (const NmeaMessagePtr& m : rig.log.sentences) {
            if (m->fullType() == QLatin1String("ICM32")) {
                EXPECT_EQ(static_cast<const MsgICM&>(*m).msgParameters(), QList<int>(12, INT_MAX));
            }
        }
    }
}

// What the supervision and the sensor's start tell the rest of the unit after these steps.
TEST(Supervision, FollowsTheTrafficItSupervises) {
    const auto heartbeatFrom = [](const char* sfi) {
        return [sfi](Rig& rig) {
            auto hbt = std::make_shared<MsgHBT>();
            hbt->setSourceSFI(QLatin1String(sfi));
            rig.supervision.slotHeartBeatBamCam(hbt);
        };
    };
    // The sounder pulse follows the averaged forward depth as it stands, whatever its filter.
    const auto depth = [](float metres) {
        return [metres](Rig& rig) {
            rig.store.vq2data.depthFwdAvg.setUseAverage(false);
            rig.store.vq2data.depthFwdAvg.setValue(metres, 0);
        };
    };
    const std::map<QString, std::function<void(Rig&)>> steps = {
        {"dat", [](Rig& rig) { rig.supervision.slotSensorDataReceived(true); }},
        {"shallow", depth(9.9f)},
        {"deep", depth(10.0f)},
        {"sensorCheck", [](Rig& rig) { rig.supervision.slotSensorHeratBeatAlarm(); }},
        {"displayCheck", [](Rig& rig) { rig.supervision.slotDisplayHeratBeatAlarm(); }},
        {"paired", [](Rig& rig) { rig.supervision.slotDisplayHeartBeatReceived(kPaired, kMac); }},
        {"other", [](Rig& rig) { rig.supervision.slotDisplayHeartBeatReceived("RV0002", kMac); }},
        {"alertPeer", heartbeatFrom("CA1235")},
        {"stranger", heartbeatFrom("II0001")},
        {"untagged", heartbeatFrom("")},
        {"start", [](Rig& rig) { rig.control.slotSendInitialConfigToSensor(); }},
    };
    const std::tuple<const char*, Arrange, const char*, const char*> cases[] = {
        {"the sensor returns", asDelivered, "sensorCheck dat dat",
         "resetSensor raise:1 udp:ICM32 clear:1 returned resetSensor ping:0 resetSensor ping:0"},
        {"a sentence in shallow water pings", asDelivered, "shallow dat", "resetSensor ping:1"},
        {"from 10 m on it does not", asDelivered, "deep dat", "resetSensor ping:0"},
        {"display lost once and unpaired", asDelivered, "displayCheck displayCheck",
         "raise:2 unpair"},
        {"display in standby", inStandby, "displayCheck displayCheck", "resetDisplay resetDisplay"},
        {"display with system alarms off", alarmsOff, "displayCheck displayCheck", ""},
        {"the paired display returns", asDelivered, "displayCheck paired paired",
         "raise:2 unpair clear:2 resetDisplay resetDisplay"},
        {"another display is ignored", asDelivered, "displayCheck other", "raise:2 unpair"},
        {"only the alert peer's heartbeat counts", asDelivered, "alertPeer stranger untagged",
         "peer"},
        {"the sensor's start configures it", asDelivered, "start start",
         "initialConfig initialConfig"},
        {"but not in standby", inStandby, "start", ""},
    };
    for (const auto& [name, arrange, actions, heard] : cases) {
        Rig rig;
        arrange(rig.setup);
        for (const QString& step : QString(actions).split(' ')) {
            steps.at(step)(rig);
        }
        EXPECT_EQ(rig.log.heard(), heard) << name;
    }
}

// What the once-a-minute save writes, the next start reads back.
TEST(Supervision, StoredDistancesComeBackAtTheNextStart) {
    FreshUnitRoot root;
    SystemVariables& store = *SystemVariables::getInstance();
    store.initDistances(1234.5, 12.5, 2345.5, 23.5);
    DistanceKeeping(*SystemSetup::getInstance(), store).slotSave();

    SystemSetup::resetForTests();
    store.initDistances(0.0, 0.0, 0.0, 0.0);
    DistanceKeeping(*SystemSetup::getInstance(), store).restore();
    EXPECT_DOUBLE_EQ(store.totalCumulativeWaterDistance.getValue(), 1234.5);
    EXPECT_DOUBLE_EQ(store.waterDistanceSinceReset.getValue(), 12.5);
    EXPECT_DOUBLE_EQ(store.totalCumulativeGroundDistance.getValue(), 2345.5);
    EXPECT_DOUBLE_EQ(store.groundDistanceSinceReset.getValue(), 23.5);
}
} // namespace
