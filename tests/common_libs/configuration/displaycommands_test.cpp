#include "channels/default_channels_config.h"
#include "displaycommandsfixture.h"
#include "logcapture.h"
#include "msgidm.h"
#include "systemconfiguration.h"

#include <QDirIterator>
#include <QFile>
#include <QMap>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>

namespace {
// Float noise of a decimal (6.6 x 100 = 659.99...) must not cost a unit; a value no field can
// carry goes out as the nearest one that is not the absent INT_MAX.
TEST(DisplayIntegers, TruncateTowardZeroSaturateAndNeverLookAbsent) {
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        float value;
        int scale;
        int expected;
    };
    const QList<Case> truncated = {
        {0.7f, 10, 7},       {4.99f, 100, 499},      {-0.29f, 100, -29},     {0.75f, 10, 7},
        {-0.75f, 10, -7},    {0.74999f, 10, 7},      {20000.0f, 10, 200000}, {1013.3f, 10, 10133},
        {6.6f, 100, 660},    {-6.6f, 100, -660},     {0.07f, 100, 7},        {6.599f, 100, 659},
        {0.0001f, 10000, 1}, {60000.05f, 10, 600000}};
    const QList<Case> saturated = {
        {214748368.0f, 10, INT_MAX - 1}, {21474836.0f, 100, 2147483600}, {-3e9f, 1, INT_MIN},
        {FLT_MAX, 10, INT_MAX - 1},      {inf, 100, INT_MAX - 1},        {-inf, 100, INT_MIN},
        {std::nanf(""), 10, 0}};
    for (const QList<Case>& table : {truncated, saturated}) {
        for (const Case& c : table) {
            EXPECT_EQ(SetupMessages::toScaled(c.value, c.scale), c.expected) << c.value;
        }
    }
}

// Values that are not exact in binary (0.7, 0.29) are reported back as the display sent them.
TEST_F(DisplayCommandsTest, ScaledValuesAreReportedAsSent) {
    const QList<int> vessel{7, 229, 1013, 29, 10000, 21, 11, 1, 0, 0, 1,
                            4, 2,   0,    0,  0,     0,  1,  1, 0, 5};
    const QList<int> limits{29, 7, 1013, 110, 570, 1, 999, 3};
    const QList<int> coefficients{-29, 7, 1, 110, -570, 501, 499, 2003, 1999, 33, 1};
    icm(11, vessel);
    icm(12, limits);
    icm(25, coefficients);
    EXPECT_EQ(defaultVq2(), vessel);
    EXPECT_EQ(SetupMessages::createAllSetupMsg(*setup)->msgParameters(), limits);
    EXPECT_EQ(SetupMessages::createCalibrationCoeffsMsg(*setup)->msgParameters(), coefficients);
}

TEST_F(DisplayCommandsTest, TonnageSelectsAveragingTimes) {
    const struct {
        int tonnageX10;
        QList<int> times; // STW, STW low speed, SOG, SOG low speed
    } cases[] = {{9990, {25, 10, 15, 5}},    {10000, {25, 10, 15, 5}},
                 {10001, {30, 15, 20, 10}},  {200000, {30, 15, 20, 10}},
                 {500000, {30, 15, 20, 10}}, {500001, {35, 20, 25, 15}}};
    for (const auto& c : cases) {
        sent.clear();
        QList<int> p = defaultVq2();
        p[4] = c.tonnageX10;
        icm(11, p);
        const VQ2_Setup_S& v = setup->Vq2Setup.values();
        EXPECT_EQ(c.times, (QList<int>{v.stwAveragingTime, v.stwLowSpeedAveragingTime,
                                       v.averagingTime, v.lowSpeedAveragingTime}));
        // The second block, with the new STW times, goes first.
        EXPECT_EQ(sentIcm().value(0), std::make_pair(39, QList<int>{c.times[0], c.times[1], 1, 0}));
        EXPECT_EQ(sentIcm().value(1).first, 11);
        EXPECT_EQ(sentIcm().size(), 2);
    }
}

// The rest of the unit hears of a setting only when it changed; one command after the other
// on the same unit.
TEST_F(DisplayCommandsTest, CommandsAnnounceOnlyWhatChanged) {
    QList<int> vessel = defaultVq2();
    vessel[1] = 300; // maximum speed
    vessel[11] = 4;  // deep-water ping length
    vessel[17] = 0;  // SOG only
    vessel[20] = 2;  // sampling distance
    const std::tuple<int, QList<int>, QStringList> cases[] = {
        {11, defaultVq2(), {}},
        {11, vessel, {"depth switch", "sensor config", "output mode", "max speed"}},
        {39, {30, 15, 1, 0}, {}},
        {39, {31, 16, 0, 25}, {"primary high 0", "threshold"}},
        {13, {3032, 3032, 3032, 3032, 3015, 0, 0}, {}},
        {13, {3032, 3032, 3032, 3032, 3015, 1, 5}, {}}, // scheme and escalation only
        {13, {3032, 4040, 3032, 3032, 3015, 0, 0}, {"alert ids"}},
        {13, {3032, 4040, 3032, 3032, 0, 0, 0}, {"alert ids"}},
        {15, {0, 38400, 0, 0}, {"baud Nmea_1 38400"}},
        {15, {0, 38400, 0, 0}, {}},
        {15, {1, 115200, 0, 0}, {"baud Nmea_2 115200"}},
        {15, {1, 4800, 0, 0}, {"baud Nmea_2 4800"}},
        {15, {2, 38400, 0, 0}, {}}, // the network channel has no rate
        {15, {0, 9600, 0, 0}, {}},  // a rate the outputs cannot run
    };
    for (const auto& [command, parameters, expected] : cases) {
        announced.clear();
        icm(command, parameters);
        EXPECT_EQ(announced, expected) << command << " " << parameters[1];
    }
    EXPECT_TRUE(setup->Vq2Setup.getSetupReceivedFlag());
    EXPECT_TRUE(setup->Vq2Setup.getSetup2ReceivedFlag());
    EXPECT_TRUE(setupFile("vq2_setup").contains(R"("vesselMaxSpeed" : 30)"));
    EXPECT_TRUE(setupFile("vq2_setup").contains(R"("sogFrequendcyChangeTreshold" : 2.5)"));
}

// The alarm identifiers follow the output mode; leaving satellite-log mode restarts the unit.
TEST_F(DisplayCommandsTest, OutputModeChangesTheAlarmsAndLeavingSatLogRestarts) {
    const std::tuple<int, int, bool, QStringList> cases[] = {
        {2, 1, true, {"output mode", "relaunch"}},
        {2, 0, false, {"output mode", "relaunch"}},
        {1, 2, false, {"output mode"}},
        {2, 2, false, {}},
        {0, 1, true, {"output mode"}},
        {1, 0, false, {"output mode"}}};
    for (const auto& [before, after, stwOn, expected] : cases) {
        setup->Vq2Setup.setOutputParamsFromInt(before);
        announced.clear();
        QList<int> p = defaultVq2();
        p[17] = after;
        icm(11, p);
        EXPECT_EQ(announced, expected) << before << "->" << after;
        EXPECT_EQ(setup->AlarmIDsSetup.stwOn(), stwOn) << before << "->" << after;
    }
}

// A command of 15 parameters lacks a software-version part; the hardware version is found
// all the same. The new identity is published and announced.
TEST_F(DisplayCommandsTest, JunctionBoxCommandIsStoredAndAnnounced) {
    const struct {
        QList<int> parameters;
        QString localID;
        QString alarmID;
        QString hwVersion;
    } cases[] = {
        {{10, 0, 0, 5, 7, 1, 67, 65, 1235, 4711, 1, 2, 1, 2, 67, 3}, "VD0007", "CA1235", "C3"},
        {{10, 0, 0, 5, 9999, 3, 65, 66, 7, 4711, 0, 0, 0, 68, 4}, "VD9999", "AB0007", "D4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.localID.toStdString());
        restartUnit();
        icm(10, c.parameters);
        const KC40_Setup_S& kc40 = setup->Kc40Setup.values();
        EXPECT_EQ(kc40.localID, c.localID);
        EXPECT_EQ(kc40.alarmID, c.alarmID);
        EXPECT_EQ(kc40.hwVersion, c.hwVersion);
        EXPECT_EQ(kc40.serialNumber, 4711u);
        EXPECT_EQ(kc40.ipAddress, "10.0.0.5");
        EXPECT_EQ(announced, (QStringList{"sfi", "address 10.0.0.5", "sfi", "group"}));
        EXPECT_EQ(SystemConfiguration::getSource(), c.localID);
        EXPECT_EQ(sentIcm().size(), 1);
        EXPECT_TRUE(setupFile("kc40_setup").contains(c.localID.toLatin1()));
    }
}

TEST_F(DisplayCommandsTest, JunctionBoxTexts) {
    const std::tuple<QStringList, bool, bool> cases[] = {
        {{"Bridge", "ON", "OFF"}, false, true},
        {{"Aft", "OFF"}, false, false},
        {{"Fore", "OFF", "ON"}, true, true}}; // low-speed GPS correction, replied
    for (const auto& [parameters, lowSpeedCorrection, replied] : cases) {
        sent.clear();
        commands->slotSystemSetupMessage(std::make_shared<MsgIDM>(1, 10, parameters));
        EXPECT_EQ(setup->Kc40Setup.values().unitName, parameters[0]);
        EXPECT_EQ(setup->Kc40Setup.values().lowSpeedGPS_Correction, lowSpeedCorrection);
        EXPECT_EQ(sent.size(), replied ? 1 : 0);
    }
}

// Level 0 restores the alarms and the vessel's draft, level 1 also the maximum speed and the
// calibration, level 2 everything down to the identity and the serial outputs (but not their
// decimals), then restarts the board. Raised alerts take the default identifiers.
TEST_F(DisplayCommandsTest, ResetLevelsRestoreTheirShare) {
    const QStringList announcements[] = {
        {"alert ids"},
        {"max speed", "alert ids"},
        {"max speed", "baud Nmea_2 4800", "address 172.16.1.101", "alert ids", "reboot"}};
    for (const int level : {0, 1, 2}) {
        SCOPED_TRACE(level);
        restartUnit();
        setup->AlarmLimitsSetup.set(&AlarmLimits_Setup_S::stwHighLimit, 9.0f);
        setup->Vq2Setup.set(&VQ2_Setup_S::draft, 3.0f);
        setup->Vq2Setup.set(&VQ2_Setup_S::vesselMaxSpeed, 30.0f);
        setup->calibCoeffs.set(&calibration_s::pitch, 2.0f);
        icm(10, {10, 0, 0, 9, 42, 1, 65, 66, 1, 5, 1, 2, 1, 2, 67, 2});
        setup->Kc40Setup.set(&KC40_Setup_S::unitName, QStringLiteral("Renamed"));
        icm(15, {1, 38400, 1, 1, 0, 0}); // Nmea_2: alarm output and VBW off, two decimals
        sent.clear();
        announced.clear();
        icm(8, {level, 1});
        EXPECT_EQ(sentIcm().value(0), std::make_pair(8, QList<int>{level, 2}));
        EXPECT_EQ(announced, announcements[level]);
        const bool deep = level >= 1;
        EXPECT_EQ((QList<float>{
                      setup->AlarmLimitsSetup.values().stwHighLimit, setup->Vq2Setup.values().draft,
                      setup->Vq2Setup.values().vesselMaxSpeed, setup->calibCoeffs.values().pitch}),
                  (QList<float>{0.0f, 0.0f, deep ? 22.0f : 30.0f, deep ? 0.0f : 2.0f}));
        const bool factory = level == 2;
        const KC40_Setup_S& kc40 = setup->Kc40Setup.values();
        EXPECT_EQ((QStringList{kc40.unitName, kc40.localID, kc40.ipAddress}),
                  (factory ? QStringList{"Main Unit", "VD0101", "172.16.1.101"}
                           : QStringList{"Renamed", "VD0042", "10.0.0.9"}));
        EXPECT_EQ(kc40.serialNumber, 5u) << "a reset keeps the unit's serial number";
        const QList<int> nmea2 = factory ? QList<int>{1, 4800, 0, 1, 0, 1, 1, 1, 2, 1}
                                         : QList<int>{1, 38400, 1, 1, 0, 0, 1, 1, 2, 1};
        EXPECT_EQ(SetupMessages::createOcfSetupMsg(*setup, "Nmea_2")->msgParameters(), nmea2);
    }
}

TEST_F(DisplayCommandsTest, StandbyIsConfirmedOrTheSensorSwitchedOnce) {
    icm(9, {0});
    EXPECT_TRUE(announced.isEmpty());
    EXPECT_EQ(sentIcm(), (QList<std::pair<int, QList<int>>>{{9, {0}}, {9, {0, 1}}}));
    // A standby command cancels a pending negotiation: it is applied once at most.
    icm(99, {1});
    EXPECT_TRUE(commands->getNegotiationRequested());
    icm(9, {1});
    EXPECT_FALSE(commands->getNegotiationRequested());
    sent.clear();
    commands->slotHandleStandbyChangeRequest();
    EXPECT_TRUE(sent.isEmpty());
    EXPECT_EQ(announced, QStringList{"sensor standby 1"});
}

// Phase 1 marks the update as wanted; phase 2 (the display has its package) has the display's
// package removed and the unit's own update started.
TEST_F(DisplayCommandsTest, UpdateHandshakeWritesTheFlagFiles) {
    icm(33, {1, 3});
    EXPECT_EQ(root.readFile("/opt/version_info/update_now"), QByteArray("yes\0", 4));
    EXPECT_FALSE(root.exists("/opt/version_info/update_available"));
    EXPECT_TRUE(announced.isEmpty());
    icm(33, {2, 3});
    EXPECT_EQ(root.readFile("/opt/version_info/update_available"), QByteArray("yess\0", 5));
    EXPECT_EQ(announced, QStringList{"remove /var/www/UP_K105"});
}

// The configuration the unit hands a display that asks for it: only what the display set,
// the channels once all three came, and the sensor's up-time last.
TEST_F(DisplayCommandsTest, PendingConfigurationListsWhatTheDisplaySet) {
    auto pending = [this] {
        QList<std::pair<int, int>> list; // command, channel
        for (const NmeaMessagePtr& msg : setup->getSetupMsgsListTosend()) {
            const auto& m = dynamic_cast<const MsgICM&>(*msg);
            list.append({m.commandID(), m.commandID() == 15 ? m.msgParameters()[0] : 0});
        }
        return list;
    };
    const std::pair<int, QList<int>> commandsSent[] = {
        {13, {1, 2, 3, 4, 5, 1, 7}}, {15, {0, 4800, 0, 0}}, {15, {2, 4800, 0, 0}}};
    for (const auto& [command, parameters] : commandsSent) {
        icm(command, parameters);
    }
    EXPECT_EQ(pending(), (QList<std::pair<int, int>>{{13, 0}, {36, 0}}));
    icm(15, {1, 4800, 0, 0});
    EXPECT_EQ(pending(), (QList<std::pair<int, int>>{{13, 0}, {15, 0}, {15, 1}, {15, 2}, {36, 0}}));
}

TEST_F(DisplayCommandsTest, ConnectionDataIsChecked) {
    const struct {
        const char* name;
        QString address;
        QString number;
        int group;
    } rejected[] = {
        {"group 0", "10.0.0.5", "12", 0},     {"group 9", "10.0.0.5", "12", 9},
        {"octet 256", "10.0.0.256", "12", 2}, {"three parts", "10.0.5", "12", 2},
        {"letters", "10.0.0.x", "12", 2},     {"ID 10000", "10.0.0.5", "10000", 2},
    };
    const QByteArray factory = setupFile("kc40_setup");
    for (const auto& c : rejected) {
        commands->updateConnectionInfo("Unit", c.address, c.number, c.group);
        EXPECT_EQ(setupFile("kc40_setup"), factory) << c.name;
        EXPECT_TRUE(announced.isEmpty()) << c.name;
    }
    commands->updateConnectionInfo("Unit", "10.0.0.5", "12", 2);
    const KC40_Setup_S& kc40 = setup->Kc40Setup.values();
    EXPECT_EQ(QStringList({kc40.ipAddress, kc40.localID, kc40.group, kc40.unitName}),
              QStringList({"10.0.0.5", "VD0012", "TGTD", "Unit"}));
    EXPECT_EQ(announced, QStringList({"address 10.0.0.5", "group", "sfi"}));
}

// A request is confirmed at once unless it switches simulation on from the sensor's data,
// which the sensor confirms.
TEST_F(DisplayCommandsTest, SimulationRequestsAreConfirmedWhenTheyTakeHold) {
    const std::tuple<bool, QList<int>, bool> cases[] = {
        {false, {0, 0, 0, 100, 0, 1, 0, 16, 0}, true},  // mode unchanged
        {false, {1, 0, 0, 100, 0, 1, 0, 16, 0}, false}, // on from the sensor source
        {false, {1, 0, 2, 100, 0, 1, 0, 16, 0}, true},  // on from another source
        {true, {1, 0, 2, 100, 0, 2, 0, 16, 0}, false},  // a confirmation
        {false, {1, 0, 2, 100, 0, 5, 0, 16, 0}, false}, // state 5 is ignored
    };
    for (const auto& [modeBefore, parameters, confirmed] : cases) {
        setup->simulationParameters.SimulationModeOn = modeBefore;
        setup->simulationParameters.simulationSource = 0;
        sent.clear();
        icm(7, parameters);
        EXPECT_EQ(sentIcm().size(), confirmed ? 1 : 0) << parameters[0] << parameters[2];
        EXPECT_EQ(sentIcm().value(0).second.value(5), confirmed ? 2 : 0);
    }
    EXPECT_EQ(setup->simulationParameters.fixedSpeedLong, 1.0f);
}

// What the unit takes of a channel command it accepts, told by the setup message of the
// channel afterwards: channel, baud rate, alarm output (0 on), two decimals, then the offered
// sentence types (VBW, VLW, MTW) and whether each is on. A command the unit could not take
// whole is answered with that state instead of its echo.
TEST_F(DisplayCommandsTest, WhatTheChannelCannotTakeIsLeftOut) {
    const struct {
        const char* name;
        QList<int> parameters;
        bool echoed;
        QList<int> state;
    } cases[] = {
        {"complete", {0, 38400, 1, 1, 0, 0, 2, 0}, true, {0, 38400, 1, 1, 0, 0, 1, 1, 2, 0}},
        {"negative type skipped",
         {1, 4800, 0, 0, -1, 0, 1, 0},
         true,
         {1, 4800, 0, 0, 0, 1, 1, 0, 2, 1}},
        {"only the header", {1, 115200, 0, 1}, true, {1, 115200, 0, 1, 0, 1, 1, 1, 2, 1}},
        {"type 14 skipped", {0, 4800, 0, 0, 14, 0, 1, 0}, false, {0, 4800, 0, 0, 0, 1, 1, 0, 2, 1}},
        {"unpaired last value", {0, 4800, 0, 0, 0, 0, 1}, false, {0, 4800, 0, 0, 0, 0, 1, 1, 2, 1}},
        {"baud 9600 kept out", {0, 9600, 1, 0, 0, 0}, false, {0, 4800, 1, 0, 0, 0, 1, 1, 2, 1}},
        {"baud 0 kept out", {0, 0, 0, 0}, false, {0, 4800, 0, 0, 0, 1, 1, 1, 2, 1}},
        {"negative baud kept out", {1, -4800, 0, 0}, false, {1, 4800, 0, 0, 0, 1, 1, 1, 2, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* file :
             {"Nmea_1_channel_setup", "Nmea_2_channel_setup", "channels_bauds_setup",
              "alarm_msg_types_setup", "channels_decimal_setup"}) {
            QFile::remove(root.path(QStringLiteral("/opt/setup_files/") + file));
        }
        restartUnit();
        icm(15, c.parameters);
        const QString channel = Default_Channels_config::channelList[c.parameters[0]];
        EXPECT_EQ(SetupMessages::createOcfSetupMsg(*setup, channel)->msgParameters(), c.state);
        const auto replies = sentIcm();
        ASSERT_EQ(replies.size(), 1);
        EXPECT_EQ(replies[0], std::make_pair(15, c.echoed ? c.parameters : c.state));
        restartUnit();
        EXPECT_EQ(SetupMessages::createOcfSetupMsg(*setup, channel)->msgParameters(), c.state)
            << "after a restart";
    }
}

TEST_F(DisplayCommandsTest, TheNetworkChannelStoresItsTableAndAlarmOnly) {
    icm(15, {2, 38400, 1, 1, 7, 1, 0, 0});
    const Outpu_Channels_Setup& channels = setup->OutputChannelsSetup;
    EXPECT_TRUE(channels.isEnabled("DLR", "LAN"));
    EXPECT_FALSE(channels.isEnabled("VBW", "LAN"));
    EXPECT_TRUE(channels.isEnabled("VBW", "Nmea_2"));
    EXPECT_FALSE(channels.isAlarmOutputEnabled("LAN"));
    EXPECT_TRUE(channels.isAlarmOutputEnabled("Nmea_2"));
    EXPECT_EQ(channels.getChannelBaudRate("LAN"), 4800) << "LAN reads Nmea_2's rate";
    EXPECT_FALSE(channels.getChannelUseTwoDecimals("LAN"));
    EXPECT_FALSE(setupFile("channels_bauds_setup").contains("38400"));
    EXPECT_TRUE(setupFile("LAN_channel_setup").contains(R"("enabled" : true, "msgType" : "DLR")"));
    EXPECT_EQ(sentIcm().size(), 1);
}
// A command the unit takes, the parameter counts it refuses, and fields of it that must hold
// a plausible value.
struct ValidationCase {
    int command;
    QList<int> sound;
    int reply;   // the command the unit answers with, 0 for none
    bool stores; // the sound command changes what the unit holds
    QList<int> wrongCounts;
    QList<std::pair<int, int>> implausible; // field and a value outside its range
};

class CommandValidation : public DisplayCommandsTest {
protected:
    // Everything a display command may change: every file of the board and the settings
    // held only in memory.
    QMap<QString, QByteArray> unitState() const {
        QMap<QString, QByteArray> state;
        QDirIterator files(root.path(), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            state[file.fileName()] = file.open(QIODevice::ReadOnly) ? file.readAll() : "?";
        }
        const SimulationParameters& m = setup->simulationParameters;
        for (const double v :
             {double(m.SimulationModeOn), double(m.testAlarmOutputOn), double(m.simulationSource),
              double(m.fixedSpeedLong), double(m.fixedSpeedTra), double(m.simulatedDepthIndex),
              double(m.useDat5), double(m.rawMeasurementSettings)}) {
            state["simulation"] += QByteArray::number(v) + ' ';
        }
        state["negotiation"] = QByteArray::number(commands->getNegotiationRequested());
        return state;
    }

    void expectRejected(int command, const NmeaMessagePtr& msg, const QString& what) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(command).arg(what).toStdString());
        restartUnit();
        const QMap<QString, QByteArray> before = unitState();
        const QString logged = QStringLiteral("Configuration command %1 rejected").arg(command);
        const qsizetype rejections = log.text().count(logged);
        commands->slotSystemSetupMessage(msg);
        EXPECT_TRUE(sentIcm().isEmpty());
        EXPECT_TRUE(announced.isEmpty());
        EXPECT_EQ(unitState(), before);
        EXPECT_EQ(log.text().count(logged), rejections + 1);
    }

    LogCapture log;
};

TEST_F(CommandValidation, ImplausibleFieldsRejectTheWholeCommand) {
    const ValidationCase cases[] = {
        {7, {1, 0, 2, 250, 0, 1, 0, 16, 0}, 7, true, {8}, {{3, 8001}, {7, 19}, {5, 0}}},
        {8, {0, 1}, 8, true, {1}, {{0, 3}}},
        {9, {1}, 9, false, {0}, {{0, 2}}},
        {10,
         {10, 0, 0, 5, 7, 1, 67, 65, 1235, 4711, 1, 2, 1, 2, 67, 3},
         10,
         true,
         {14},
         {{4, 10000}, {3, 256}, {1, -1}, {5, 8}, {6, 'c'}, {9, 1000000000}, {14, 'a'}, {15, 10}}},
        {11,
         {55, 220, 1480, 40, 10000, 20, 10, 2, 1, 1, 2, 8, 3, 1, 0, 0, 0, 1, 0, 0, 0},
         11,
         true,
         {20, 22},
         {{0, 401}, {1, 9}, {5, 0}, {12, 4}, {17, 3}}},
        {12, {29, 7, 1013, 110, 570, 1, 999, 3}, 12, true, {7}, {{0, 8001}, {7, -1}}},
        {13, {1, 2, 3, 4, 5, 1, 7}, 13, true, {6}, {{6, 61}, {0, -1}}},
        {15,
         {0, 38400, 1, 1, 0, 0, 2, 0},
         15,
         true,
         {3},
         {{5, 2}, {1, INT_MAX}, {0, -1}, {0, 3}, {2, 2}, {2, -1}}},
        {25,
         {-29, 7, 1, 110, -570, 501, 499, 2003, 1999, 33, 1},
         25,
         true,
         {10},
         {{0, 36001}, {3, -9001}, {5, 5001}, {10, 2}}},
        {33, {1, 3}, 0, true, {0}, {{0, 3}}},
        {39, {31, 16, 0, 25}, 39, true, {3}, {{0, 0}, {3, 801}}},
        {99, {1}, 99, true, {0}, {{0, -1}}},
    };
    for (const ValidationCase& c : cases) {
        const int first = c.implausible[0].first;
        QList<int> empty = c.sound;
        empty[first] = INT_MAX;
        expectRejected(c.command, std::make_shared<MsgICM>(1, c.command, empty), "empty field");
        QStringList fields{"1", QString::number(c.command)}; // as the parser leaves them
        for (const int value : c.sound) {
            fields << QString::number(value);
        }
        fields[2 + first] = QStringLiteral("x");
        auto unreadable = std::make_shared<MsgICM>();
        unreadable->setParams(fields);
        expectRejected(c.command, unreadable, "field not a number");
        for (const int count : c.wrongCounts) {
            QList<int> p = c.sound;
            p.resize(count, 1);
            expectRejected(c.command, std::make_shared<MsgICM>(1, c.command, p),
                           QStringLiteral("%1 parameters").arg(count));
        }
        for (const auto& [field, value] : c.implausible) {
            QList<int> p = c.sound;
            p[field] = value;
            expectRejected(c.command, std::make_shared<MsgICM>(1, c.command, p),
                           QStringLiteral("field %1 = %2").arg(field).arg(value));
        }

        restartUnit();
        const QMap<QString, QByteArray> before = unitState();
        icm(c.command, c.sound);
        EXPECT_EQ(unitState() != before, c.stores) << c.command;
        const auto replies = sentIcm();
        EXPECT_EQ(replies.isEmpty() ? 0 : replies.last().first, c.reply) << c.command;
    }
}
} // namespace
