#include "casename.h"
#include "configurationfixture.h"
#include "displaycommandsfixture.h"
#include "logcapture.h"
#include "msgicm.h"
#include "msgidm.h"
#include "setupmessages.h"
#include "systemconfiguration.h"

#include <QDirIterator>
#include <QFile>
#include <QMap>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <tuple>

namespace {
TEST_F(DisplayCommandsTest, ShortCommandsAreDropped) {
    const std::pair<int, int> cases[] = {{7, 8},  {8, 1},  {9, 0},   {10, 14}, {11, 20}, {11, 22},
                                         {12, 7}, {13, 6}, {25, 10}, {33, 0},  {39, 3},  {99, 0}};
    for (const auto& [command, count] : cases) {
        const QByteArray vq2 = setupFile("vq2_setup");
        const QByteArray kc40 = setupFile("kc40_setup");
        icm(command, QList<int>(count, 1));
        EXPECT_TRUE(sent.isEmpty()) << command;
        EXPECT_EQ(setupFile("vq2_setup"), vq2) << command;
        EXPECT_EQ(setupFile("kc40_setup"), kc40) << command;
    }
}

TEST_F(DisplayCommandsTest, DefaultVesselSetupMessage) {
    const QList<int> p = defaultVq2();
    ASSERT_EQ(p.size(), 21);
    EXPECT_EQ(p.mid(0, 14), (QList<int>{0, 220, 1480, 40, 10000, 20, 10, 2, 1, 1, 2, 8, 3, 1}));
    EXPECT_EQ(p[17], 1);
    EXPECT_EQ(p[20], 0);
}

struct EchoCase {
    int command;
    QList<int> parameters;
    int replyCommand;
};

// Values that are not exact in binary (0.7, 0.29) must come back as sent.
TEST_F(DisplayCommandsTest, ScaledValuesRoundTripUnchanged) {
    const EchoCase cases[] = {
        {11, {7, 229, 1013, 29, 10000, 21, 11, 1, 0, 0, 1, 4, 2, 0, 0, 0, 0, 1, 1, 0, 5}, 11},
        {12, {29, 7, 1013, 110, 570, 1, 999, 3}, 12},
        {25, {-29, 7, 1, 110, -570, 501, 499, 2003, 1999, 33, 1}, 25},
    };
    for (const EchoCase& c : cases) {
        sent.clear();
        icm(c.command, c.parameters);
        ASSERT_FALSE(sentIcm().isEmpty()) << c.command;
        const auto reply = sentIcm().last();
        EXPECT_EQ(reply.first, c.replyCommand);
        EXPECT_EQ(reply.second, c.parameters) << c.command;
    }
    EXPECT_EQ(SetupMessages::createAllSetupMsg(*setup)->msgParameters(), cases[1].parameters);
    EXPECT_EQ(SetupMessages::createCalibrationCoeffsMsg(*setup)->msgParameters(),
              cases[2].parameters);
}

struct ScaleCase {
    float value;
    int scale;
    int expected;
};

TEST(DisplayIntegers, TruncateTowardZeroWithoutFloatNoise) {
    const ScaleCase cases[] = {{0.7f, 10, 7},          {4.99f, 100, 499},      {-0.29f, 100, -29},
                               {0.75f, 10, 7},         {-0.75f, 10, -7},       {0.74999f, 10, 7},
                               {20000.0f, 10, 200000}, {1013.3f, 10, 10133},   {6.6f, 100, 660},
                               {-6.6f, 100, -660},     {0.07f, 100, 7},        {6.599f, 100, 659},
                               {0.0001f, 10000, 1},    {60000.05f, 10, 600000}};
    for (const ScaleCase& c : cases) {
        EXPECT_EQ(SetupMessages::toScaled(c.value, c.scale), c.expected) << c.value;
    }
}

// A value no field can carry goes out as the nearest one that is not the absent INT_MAX.
TEST(DisplayIntegers, NeverOverflowNorLookAbsent) {
    const float inf = std::numeric_limits<float>::infinity();
    const ScaleCase cases[] = {
        {214748368.0f, 10, INT_MAX - 1}, {21474836.0f, 100, 2147483600}, {-3e9f, 1, INT_MIN},
        {FLT_MAX, 10, INT_MAX - 1},      {inf, 100, INT_MAX - 1},        {-inf, 100, INT_MIN},
        {std::nanf(""), 10, 0}};
    for (const ScaleCase& c : cases) {
        EXPECT_EQ(SetupMessages::toScaled(c.value, c.scale), c.expected) << c.value;
    }
}

struct TonnageCase {
    int tonnageX10;
    QList<int> times; // STW, STW low speed, SOG, SOG low speed
};

TEST_F(DisplayCommandsTest, TonnageSelectsAveragingTimes) {
    const TonnageCase cases[] = {{9990, {25, 10, 15, 5}},    {10000, {25, 10, 15, 5}},
                                 {10001, {30, 15, 20, 10}},  {200000, {30, 15, 20, 10}},
                                 {500000, {30, 15, 20, 10}}, {500001, {35, 20, 25, 15}}};
    for (const TonnageCase& c : cases) {
        sent.clear();
        QList<int> p = defaultVq2();
        p[4] = c.tonnageX10;
        icm(11, p);
        const VQ2_Setup_S& v = setup->Vq2Setup.values();
        EXPECT_EQ((QList<int>{v.stwAveragingTime, v.stwLowSpeedAveragingTime, v.averagingTime,
                              v.lowSpeedAveragingTime}),
                  c.times)
            << c.tonnageX10;
        const auto replies = sentIcm();
        ASSERT_EQ(replies.size(), 2) << c.tonnageX10;
        EXPECT_EQ(replies[0].first, 39) << "the second block goes first";
        EXPECT_EQ(replies[0].second, (QList<int>{c.times[0], c.times[1], 1, 0}));
        EXPECT_EQ(replies[1].first, 11);
    }
}

TEST_F(DisplayCommandsTest, VesselSetupSignalsOnlyChanges) {
    Spy maxSpeed(commands.get(), &DisplayCommands::sigMaxVesselSpeedChanged);
    Spy output(commands.get(), &DisplayCommands::sigOutputParamsChanged);
    Spy depth(commands.get(), &DisplayCommands::forceDepthSeitchCheck);
    Spy sensor(commands.get(), &DisplayCommands::sigSendNewConfigToSensor);
    icm(11, defaultVq2());
    EXPECT_EQ(maxSpeed.size() + output.size() + depth.size() + sensor.size(), 0);
    EXPECT_TRUE(setup->Vq2Setup.getSetupReceivedFlag());

    QList<int> p = defaultVq2();
    p[1] = 300;
    p[11] = 4;
    p[17] = 0;
    p[20] = 2;
    icm(11, p);
    EXPECT_EQ(maxSpeed.size(), 1);
    EXPECT_EQ(output.size(), 1);
    EXPECT_EQ(depth.size(), 1);
    EXPECT_EQ(sensor.size(), 1);
    EXPECT_EQ(setup->Vq2Setup.values().outputParams, "SOG Only");
    EXPECT_FALSE(setup->AlarmIDsSetup.stwOn()) << "follows the new mode";
    EXPECT_TRUE(setupFile("vq2_setup").contains(R"("vesselMaxSpeed" : 30)"));
}

struct ModeCase {
    int before;
    int after;
    bool stwOn;
    int restarts;
};

TEST_F(DisplayCommandsTest, LeavingSatLogRestartsTheUnit) {
    const ModeCase cases[] = {
        {2, 1, true, 1}, {2, 0, false, 1}, {1, 2, false, 0}, {2, 2, false, 0}, {0, 1, true, 0}};
    for (const ModeCase& c : cases) {
        setup->Vq2Setup.setOutputParamsFromInt(c.before);
        restarts = 0;
        QList<int> p = defaultVq2();
        p[17] = c.after;
        icm(11, p);
        EXPECT_EQ(restarts, c.restarts) << c.before << "->" << c.after;
        EXPECT_EQ(setup->AlarmIDsSetup.stwOn(), c.stwOn) << c.before << "->" << c.after;
    }
}

struct JunctionBoxCase {
    const char* name;
    QList<int> parameters;
    bool accepted;
    QString localID;
    QString alarmID;
    QString hwVersion;
};

TEST_F(DisplayCommandsTest, JunctionBoxCommandIsCheckedBeforeItIsStored) {
    const JunctionBoxCase cases[] = {
        {"sixteen parameters",
         {10, 0, 0, 5, 7, 1, 67, 65, 1235, 4711, 1, 2, 1, 2, 67, 3},
         true,
         "VD0007",
         "CA1235",
         "C3"},
        {"fifteen parameters",
         {10, 0, 0, 6, 9999, 3, 65, 66, 7, 4711, 0, 0, 0, 68, 4},
         true,
         "VD9999",
         "AB0007",
         "D4"},
        {"local ID of five digits",
         {10, 0, 0, 6, 12345, 3, 65, 66, 7, 4711, 0, 0, 0, 68, 4},
         false,
         {},
         {},
         {}},
        {"octet above 255",
         {300, 1, 1, 1, 7, 1, 67, 65, 1235, 1, 1, 2, 1, 2, 67, 3},
         false,
         {},
         {},
         {}},
        {"negative octet",
         {10, -1, 1, 1, 7, 1, 67, 65, 1235, 1, 1, 2, 1, 2, 67, 3},
         false,
         {},
         {},
         {}},
        {"unknown group",
         {10, 0, 0, 5, 7, 8, 67, 65, 1235, 1, 1, 2, 1, 2, 67, 3},
         false,
         {},
         {},
         {}},
        {"lower-case alarm letter",
         {10, 0, 0, 5, 7, 1, 99, 65, 1235, 1, 1, 2, 1, 2, 67, 3},
         false,
         {},
         {},
         {}},
    };
    for (const JunctionBoxCase& c : cases) {
        restartUnit();
        Spy address(commands.get(), &DisplayCommands::sigIpAddressChanged);
        Spy sfi(commands.get(), &DisplayCommands::sigChangedSFI);
        const QByteArray fileBefore = setupFile("kc40_setup");
        icm(10, c.parameters);
        const KC40_Setup_S& kc40 = setup->Kc40Setup.values();
        if (!c.accepted) {
            EXPECT_TRUE(sent.isEmpty()) << c.name;
            EXPECT_EQ(address.size(), 0) << c.name;
            EXPECT_EQ(setupFile("kc40_setup"), fileBefore) << c.name;
            continue;
        }
        EXPECT_EQ(kc40.localID, c.localID) << c.name;
        EXPECT_EQ(kc40.alarmID, c.alarmID) << c.name;
        EXPECT_EQ(kc40.hwVersion, c.hwVersion) << c.name;
        EXPECT_EQ(kc40.serialNumber, 4711u) << c.name;
        ASSERT_EQ(address.size(), 1) << c.name;
        EXPECT_EQ(std::get<0>(address[0]), kc40.ipAddress);
        EXPECT_GE(sfi.size(), 1) << c.name;
        EXPECT_EQ(SystemConfiguration::getSource(), c.localID);
        ASSERT_EQ(sentIcm().size(), 1);
        EXPECT_EQ(sentIcm()[0].second.size(), 16) << "software version has four parts";
        EXPECT_TRUE(setupFile("kc40_setup").contains(c.localID.toLatin1()));
    }
}

struct IdmCase {
    QStringList parameters;
    QString unitName;
    bool lowSpeedCorrection;
    bool replied;
};

TEST_F(DisplayCommandsTest, JunctionBoxTexts) {
    const IdmCase cases[] = {{{"Bridge", "ON", "OFF"}, "Bridge", false, true},
                             {{"Aft", "OFF"}, "Aft", false, false},
                             {{"Fore", "OFF", "ON"}, "Fore", true, true}};
    for (const IdmCase& c : cases) {
        sent.clear();
        commands->slotSystemSetupMessage(std::make_shared<MsgIDM>(1, 10, c.parameters));
        EXPECT_EQ(setup->Kc40Setup.values().unitName, c.unitName);
        EXPECT_EQ(setup->Kc40Setup.values().lowSpeedGPS_Correction, c.lowSpeedCorrection);
        EXPECT_EQ(sent.size(), c.replied ? 1 : 0);
    }
}

struct ResetCase {
    int level;
    bool calibrationReset;
    bool identityReset;
    bool reboot;
};

TEST_F(DisplayCommandsTest, ResetLevels) {
    const ResetCase cases[] = {
        {0, false, false, false}, {1, true, false, false}, {2, true, true, true}};
    for (const ResetCase& c : cases) {
        sent.clear();
        Spy reboots(commands.get(), &DisplayCommands::sigRebootRequested);
        setup->AlarmLimitsSetup.set(&AlarmLimits_Setup_S::stwHighLimit, 9.0f);
        setup->calibCoeffs.set(&calibration_s::pitch, 2.0f);
        setup->Kc40Setup.set(&KC40_Setup_S::unitName, QStringLiteral("Renamed"));
        icm(8, {c.level, 1});
        ASSERT_FALSE(sentIcm().isEmpty());
        EXPECT_EQ(sentIcm()[0], std::make_pair(8, QList<int>{c.level, 2}));
        EXPECT_EQ(setup->AlarmLimitsSetup.values().stwHighLimit, 0.0f);
        EXPECT_EQ(setup->calibCoeffs.values().pitch == 0.0f, c.calibrationReset) << c.level;
        EXPECT_EQ(setup->Kc40Setup.values().unitName == "Main Unit", c.identityReset) << c.level;
        const bool rebooted = reboots.size() == 1;
        EXPECT_EQ(rebooted, c.reboot) << c.level;
    }
}

TEST_F(DisplayCommandsTest, AStandbyCommandCancelsThePendingNegotiation) {
    icm(99, {1});
    EXPECT_TRUE(commands->getNegotiationRequested());
    icm(9, {1});
    EXPECT_FALSE(commands->getNegotiationRequested());
    sent.clear();
    commands->slotHandleStandbyChangeRequest();
    EXPECT_TRUE(sent.isEmpty()) << "the negotiation is applied once at most";
}

TEST_F(DisplayCommandsTest, StandbyIsConfirmedOrTheSensorSwitched) {
    Spy shutDown(commands.get(), &DisplayCommands::sigShotDownSensor);
    icm(9, {0});
    EXPECT_EQ(shutDown.size(), 0);
    EXPECT_EQ(sentIcm(), (QList<std::pair<int, QList<int>>>{{9, {0}}, {9, {0, 1}}}));
    sent.clear();
    icm(9, {1});
    ASSERT_EQ(shutDown.size(), 1);
    setup->confirmSystemStandby(true);
    EXPECT_TRUE(setup->RvN003Setup.values().systemInStandby);
    EXPECT_TRUE(setupFile("rv_n_003_setup").contains(R"("systemInStandby" : true)"));
}

TEST_F(DisplayCommandsTest, UpdateHandshakeWritesTheFlagFile) {
    icm(33, {1, 3});
    EXPECT_EQ(root.readFile("/opt/version_info/update_now"), QByteArray("yes\0", 4));
}

TEST_F(DisplayCommandsTest, PendingConfigurationListsWhatTheDisplaySet) {
    EXPECT_EQ(setup->getSetupMsgsListTosend().size(), 1) << "only the sensor timer";
    icm(13, {1, 2, 3, 4, 5, 1, 7});
    EXPECT_EQ(sentIcm().last(), std::make_pair(13, QList<int>{1, 2, 3, 4, 5, 1, 7}));
    const QList<NmeaMessagePtr> list = setup->getSetupMsgsListTosend();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(dynamic_cast<const MsgICM&>(*list[0]).commandID(), 13);
    EXPECT_EQ(dynamic_cast<const MsgICM&>(*list[1]).commandID(), 36);
}

struct ConnectionCase {
    const char* name;
    QString address;
    QString number;
    int group;
    bool accepted;
};

TEST_F(DisplayCommandsTest, ConnectionDataIsChecked) {
    const ConnectionCase cases[] = {
        {"group 0", "10.0.0.5", "12", 0, false},     {"group 9", "10.0.0.5", "12", 9, false},
        {"octet 256", "10.0.0.256", "12", 2, false}, {"three parts", "10.0.5", "12", 2, false},
        {"letters", "10.0.0.x", "12", 2, false},     {"ID 10000", "10.0.0.5", "10000", 2, false},
        {"valid", "10.0.0.5", "12", 2, true},
    };
    // Rejected cases come first: each starts from the factory state kept on the root.
    for (const ConnectionCase& c : cases) {
        restartUnit();
        commands->updateConnectionInfo("Unit", c.address, c.number, c.group);
        const KC40_Setup_S& kc40 = setup->Kc40Setup.values();
        EXPECT_EQ(kc40.ipAddress == c.address, c.accepted) << c.name;
        EXPECT_EQ(kc40.localID == "VD0012", c.accepted) << c.name;
        EXPECT_EQ(kc40.group == "TGTD", c.accepted) << c.name;
    }
}
} // namespace

namespace {
struct SimulationCase {
    const char* name;
    bool modeBefore;
    QList<int> parameters;
    bool confirmed;
};

TEST_F(DisplayCommandsTest, SimulationRequestsAreConfirmedWhenTheyTakeHold) {
    const SimulationCase cases[] = {
        {"mode unchanged", false, {0, 0, 0, 100, 0, 1, 0, 16, 0}, true},
        {"switched on from the sensor source", false, {1, 0, 0, 100, 0, 1, 0, 16, 0}, false},
        {"switched on from another source", false, {1, 0, 2, 100, 0, 1, 0, 16, 0}, true},
        {"a confirmation is not confirmed", true, {1, 0, 2, 100, 0, 2, 0, 16, 0}, false},
        {"state 5 is ignored", false, {1, 0, 2, 100, 0, 5, 0, 16, 0}, false},
    };
    for (const SimulationCase& c : cases) {
        setup->simulationParameters.SimulationModeOn = c.modeBefore;
        setup->simulationParameters.simulationSource = 0;
        sent.clear();
        icm(7, c.parameters);
        EXPECT_EQ(sentIcm().size(), c.confirmed ? 1 : 0) << c.name;
        if (c.confirmed) {
            EXPECT_EQ(sentIcm()[0].second[5], 2) << c.name;
        }
    }
    EXPECT_EQ(setup->simulationParameters.fixedSpeedLong, 1.0f);
}

TEST_F(DisplayCommandsTest, SecondVesselBlockSignalsChanges) {
    Spy primary(commands.get(), &DisplayCommands::sigSourceDatChanged);
    Spy threshold(commands.get(), &DisplayCommands::sigSogFrequendcyChangeTresholdChanged);
    icm(39, {30, 15, 1, 0});
    EXPECT_EQ(primary.size() + threshold.size(), 0);
    icm(39, {31, 16, 0, 25});
    ASSERT_EQ(primary.size(), 1);
    EXPECT_FALSE(std::get<0>(primary[0]));
    EXPECT_EQ(threshold.size(), 1);
    EXPECT_EQ(sentIcm().last(), std::make_pair(39, QList<int>{31, 16, 0, 25}));
    EXPECT_TRUE(setup->Vq2Setup.getSetup2ReceivedFlag());
    EXPECT_TRUE(setupFile("vq2_setup").contains(R"("sogFrequendcyChangeTreshold" : 2.5)"));
}

struct AlertIdCase {
    const char* name;
    QList<int> parameters; // STW high, STW low, SOG high, SOG low, system, ALR, escalation
    qsizetype announcements;
};
void PrintTo(const AlertIdCase& c, std::ostream* os) {
    printCaseName(c, os);
}
class AlertIdCommand : public DisplayCommandsTest,
                       public ::testing::WithParamInterface<AlertIdCase> {};

TEST_P(AlertIdCommand, AnnouncesOnlyAChangedAlertIdentifier) {
    Spy changed(commands.get(), &DisplayCommands::sigAlertIdChanged);
    icm(13, GetParam().parameters);
    EXPECT_EQ(changed.size(), GetParam().announcements);
}

INSTANTIATE_TEST_SUITE_P(
    Configuration, AlertIdCommand,
    ::testing::Values(AlertIdCase{"SameIdentifiers", {3032, 3032, 3032, 3032, 3015, 0, 0}, 0},
                      AlertIdCase{
                          "OnlySchemeAndEscalation", {3032, 3032, 3032, 3032, 3015, 1, 5}, 0},
                      AlertIdCase{"SpeedIdentifier", {3032, 4040, 3032, 3032, 3015, 0, 0}, 1},
                      AlertIdCase{"SystemIdentifierOff", {3032, 3032, 3032, 3032, 0, 0, 0}, 1}));
} // namespace

namespace {
// A command the unit takes, and fields of it that must hold a plausible value.
struct ValidationCase {
    int command;
    QList<int> sound;
    int reply;                              // the command the unit answers with, 0 for none
    bool stores;                            // the sound command changes what the unit holds
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
        const SimulationParameters& sim = setup->simulationParameters;
        state["simulation"] = QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
                                  .arg(sim.SimulationModeOn)
                                  .arg(sim.testAlarmOutputOn)
                                  .arg(sim.simulationSource)
                                  .arg(sim.fixedSpeedLong)
                                  .arg(sim.fixedSpeedTra)
                                  .arg(sim.simulatedDepthIndex)
                                  .arg(sim.useDat5)
                                  .arg(sim.rawMeasurementSettings)
                                  .toLatin1();
        state["negotiation"] = QByteArray::number(commands->getNegotiationRequested());
        return state;
    }

    // The command as the parser leaves it when a field is no number.
    static NmeaMessagePtr unreadable(int command, const QList<int>& parameters, int field) {
        QStringList fields{"1", QString::number(command)};
        for (qsizetype i = 0; i < parameters.size(); ++i) {
            fields << (i == field ? QStringLiteral("x") : QString::number(parameters[i]));
        }
        auto msg = std::make_shared<MsgICM>();
        msg->setParams(fields);
        return msg;
    }

    qsizetype rejections(int command) const {
        return log.text().count(QStringLiteral("Configuration command %1 rejected").arg(command));
    }

    void expectRejected(const ValidationCase& c, const NmeaMessagePtr& msg, const QString& what) {
        restartUnit();
        const QMap<QString, QByteArray> before = unitState();
        const qsizetype logged = rejections(c.command);
        commands->slotSystemSetupMessage(msg);
        EXPECT_TRUE(sentIcm().isEmpty()) << c.command << " " << what.toStdString();
        EXPECT_EQ(unitState(), before) << c.command << " " << what.toStdString();
        EXPECT_EQ(rejections(c.command), logged + 1) << c.command << " " << what.toStdString();
    }

    LogCapture log;
};

TEST_F(CommandValidation, ImplausibleFieldsRejectTheWholeCommand) {
    const ValidationCase cases[] = {
        {7, {1, 0, 2, 250, 0, 1, 0, 16, 0}, 7, true, {{3, 8001}, {7, 19}, {5, 0}}},
        {8, {0, 1}, 8, true, {{0, 3}}},
        {9, {1}, 9, false, {{0, 2}}},
        {10,
         {10, 0, 0, 5, 7, 1, 67, 65, 1235, 4711, 1, 2, 1, 2, 67, 3},
         10,
         true,
         {{4, 10000}, {3, 256}, {14, 'a'}, {15, 10}}},
        {11,
         {55, 220, 1480, 40, 10000, 20, 10, 2, 1, 1, 2, 8, 3, 1, 0, 0, 0, 1, 0, 0, 0},
         11,
         true,
         {{0, 401}, {1, 9}, {5, 0}, {12, 4}, {17, 3}}},
        {12, {29, 7, 1013, 110, 570, 1, 999, 3}, 12, true, {{0, 8001}, {7, -1}}},
        {13, {1, 2, 3, 4, 5, 1, 7}, 13, true, {{6, 61}, {0, -1}}},
        {15, {0, 38400, 1, 1, 0, 0, 2, 0}, 15, true, {{5, 2}, {1, INT_MAX}}},
        {25,
         {-29, 7, 1, 110, -570, 501, 499, 2003, 1999, 33, 1},
         25,
         true,
         {{0, 36001}, {3, -9001}, {5, 5001}, {10, 2}}},
        {33, {1, 3}, 0, true, {{0, 3}}},
        {39, {31, 16, 0, 25}, 39, true, {{0, 0}, {3, 801}}},
        {99, {1}, 99, true, {{0, -1}}},
    };
    for (const ValidationCase& c : cases) {
        const int first = c.implausible[0].first;
        QList<int> empty = c.sound;
        empty[first] = INT_MAX;
        expectRejected(c, std::make_shared<MsgICM>(1, c.command, empty), "empty field");
        expectRejected(c, unreadable(c.command, c.sound, first), "field not a number");
        for (const auto& [field, value] : c.implausible) {
            QList<int> p = c.sound;
            p[field] = value;
            expectRejected(c, std::make_shared<MsgICM>(1, c.command, p),
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
