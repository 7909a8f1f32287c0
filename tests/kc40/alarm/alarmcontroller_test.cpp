#include "alarmfixture.h"

#include "casename.h"
#include "displaycommands.h"
#include "msgack.h"
#include "msgacn.h"
#include "msgalrs.h"
#include "msgicm.h"
#include "nmeaparser.h"

#include <limits>
#include <vector>

namespace {

// The alert management peer of the default junction-box setup.
const QString kPeerSfi = QStringLiteral("CA1235");

// ---- speed limits ---------------------------------------------------------------------------

struct SpeedCase {
    const char* name;
    bool high;
    bool water;
    std::vector<float> speeds;
    AlarmLevel state;
    int revision;
};
void PrintTo(const SpeedCase& c, std::ostream* os) {
    printCaseName(c, os);
}
class SpeedLimits : public AlarmTest, public ::testing::WithParamInterface<SpeedCase> {};

TEST_P(SpeedLimits, RaiseBeyondTheLimitAndRectifyOnlyHalfAKnotBack) {
    const SpeedCase& c = GetParam();
    for (float v : c.speeds) {
        if (c.high) {
            controller->checkHighSpeed(v, c.water);
        } else {
            controller->checkLowSpeed(v, c.water);
        }
    }
    const AlarmSource source = c.high ? (c.water ? ALARM_HIGH_SPEED_WATER : ALARM_HIGH_SPEED_GROUND)
                                      : (c.water ? ALARM_LOW_SPEED_WATER : ALARM_LOW_SPEED_GROUND);
    EXPECT_EQ(alert(source).getAlertState(), c.state);
    EXPECT_EQ(alert(source).getRevisionCounter(), c.revision);
}

INSTANTIATE_TEST_SUITE_P(
    Alarms, SpeedLimits,
    ::testing::Values(
        // STW low limit 5.0, high 20.0; SOG low 2.0, high 25.0.
        SpeedCase{"StwLowRaised", false, true, {4.9f}, ALR_ACTIVE_UACKED, 1},
        SpeedCase{
            "StwLowKeptWithinHysteresis", false, true, {4.9f, 5.4f, 5.5f}, ALR_ACTIVE_UACKED, 1},
        SpeedCase{"StwLowRectified", false, true, {4.9f, 5.4f, 5.6f}, ALR_RECTIF_UACKED, 2},
        SpeedCase{"StwLowRaisedAgainFromRectified",
                  false,
                  true,
                  {4.9f, 5.6f, 4.0f},
                  ALR_ACTIVE_UACKED,
                  3},
        SpeedCase{"StwLowAtLimitNotRaised", false, true, {5.0f}, NO_ALARM, 0},
        SpeedCase{"AsternNeverRaisesLow", false, true, {-1.0f, -0.1f}, NO_ALARM, 0},
        SpeedCase{"StoppedRaisesLow", false, true, {0.0f}, ALR_ACTIVE_UACKED, 1},
        SpeedCase{"AbsentSpeedIgnored", false, true, {4.9f, kAbsentFloat}, ALR_ACTIVE_UACKED, 1},
        SpeedCase{"NanIgnored", true, true, {std::numeric_limits<float>::quiet_NaN()}, NO_ALARM, 0},
        SpeedCase{"SogLowRaised", false, false, {1.9f}, ALR_ACTIVE_UACKED, 1},
        SpeedCase{"StwHighRaised", true, true, {20.1f}, ALR_ACTIVE_UACKED, 1},
        SpeedCase{"StwHighKeptWithinHysteresis", true, true, {20.1f, 19.5f}, ALR_ACTIVE_UACKED, 1},
        SpeedCase{"StwHighRectified", true, true, {20.1f, 19.4f}, ALR_RECTIF_UACKED, 2},
        SpeedCase{"SogHighAtLimitNotRaised", true, false, {25.0f}, NO_ALARM, 0},
        SpeedCase{"SogHighRaised", true, false, {25.1f}, ALR_ACTIVE_UACKED, 1}));

TEST_F(AlarmTest, LowStwIsReportedOnEverySerialChannelAndTheLan) {
    controller->checkLowSpeed(4.9f, true);
    const QString expected =
        QStringLiteral("ALF,1,1,n,%1,B,W,V,,3032,1,1,0,STW Speed Lo").arg(kTime);
    ASSERT_EQ(nmea1.size(), 1);
    ASSERT_EQ(nmea2.size(), 1);
    ASSERT_EQ(lanAlerts().size(), 1);
    EXPECT_EQ(anySequence(nmea1[0]), expected);
    EXPECT_EQ(anySequence(nmea2[0]), expected);
    EXPECT_EQ(anySequence(lanAlerts()[0]), expected);
    EXPECT_EQ(lanDestinations.first(), kPeer);
    clear();
    controller->checkLowSpeed(5.4f, true);
    EXPECT_TRUE(nmea1.isEmpty());
    controller->checkLowSpeed(5.6f, true);
    EXPECT_EQ(anySequence(nmea1.value(0)),
              QStringLiteral("ALF,1,1,n,%1,B,W,U,,3032,1,2,0,STW Speed Lo").arg(kTime));
}

TEST_F(AlarmTest, AlertSentencesGoOnlyWhereAlarmOutputIsEnabled) {
    controller->hooks().alarmOutputEnabled = [](const QString& channel) {
        return channel == QLatin1String("Nmea_2");
    };
    controller->checkLowSpeed(4.9f, true);
    EXPECT_TRUE(nmea1.isEmpty());
    EXPECT_EQ(nmea2.size(), 1);
    EXPECT_TRUE(lanAlerts().isEmpty());
}

struct SwitchOffCase {
    const char* name;
    AlarmLimits_Setup_S limits;
    AlarmIDs_Setup_S ids;
};
void PrintTo(const SwitchOffCase& c, std::ostream* os) {
    printCaseName(c, os);
}
class SwitchedOff : public AlarmTest, public ::testing::WithParamInterface<SwitchOffCase> {};

TEST_P(SwitchedOff, ALimitOrIdentifierOfZeroEndsTheAlert) {
    controller->checkLowSpeed(4.9f, true);
    setup().AlarmLimitsSetup.setAlarmLimits(GetParam().limits);
    setup().AlarmIDsSetup.setAlarmIDs(GetParam().ids);
    controller->checkLowSpeed(4.0f, true);
    EXPECT_EQ(alert(ALARM_LOW_SPEED_WATER).getAlertState(), NO_ALARM);
}

AlarmLimits_Setup_S limitsWithStwLow(float limit) {
    AlarmLimits_Setup_S s;
    s.stwLowLimit = limit;
    return s;
}
AlarmIDs_Setup_S idsWithStwLow(int id) {
    AlarmIDs_Setup_S s;
    s.stwLowAlarmID = id;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Alarms, SwitchedOff,
    ::testing::Values(SwitchOffCase{"LimitZero", limitsWithStwLow(0.0f), idsWithStwLow(3032)},
                      SwitchOffCase{"IdentifierZero", limitsWithStwLow(5.0f), idsWithStwLow(0)}));

// ---- alert identifiers ----------------------------------------------------------------------

struct IdChangeCase {
    const char* name;
    std::vector<float> speeds; // STW low limit 5.0
    bool acknowledged;
    int newId;
    AlarmLevel state;
    int id;
    int previousId;
    QStringList reports; // state letter and identifier of each ALF the change sends
};
void PrintTo(const IdChangeCase& c, std::ostream* os) {
    printCaseName(c, os);
}
class IdentifierChange : public AlarmTest, public ::testing::WithParamInterface<IdChangeCase> {
protected:
    // The display's alarm identifiers command, with the STW low identifier given.
    void sendStwLowId(int id) {
        QObject::connect(&commands, &DisplayCommands::sigAlertIdChanged, controller.get(),
                         &AlarmController::slotAlertIDChanged);
        commands.slotSystemSetupMessage(
            std::make_shared<MsgICM>(1, 13, QList<int>{3032, id, 3032, 3032, 3015, 0, 0}));
    }

    DisplayCommands commands{setup()};
};

TEST_P(IdentifierChange, RaisedAlertTakesTheNewIdentifierOrEndsUnderItsOld) {
    const IdChangeCase& c = GetParam();
    for (float v : c.speeds) {
        controller->checkLowSpeed(v, true);
    }
    if (c.acknowledged) {
        controller->handleUserACK();
    }
    clear();
    sendStwLowId(c.newId);
    const AlarmInstance& a = alert(ALARM_LOW_SPEED_WATER);
    EXPECT_EQ(a.getAlertState(), c.state);
    EXPECT_EQ(a.getAlertID(), c.id);
    EXPECT_EQ(a.getPreviousAlertID(), c.previousId);
    QStringList reports;
    for (const QString& alf : nmea1) {
        const QStringList fields = alf.split(QLatin1Char(','));
        reports << fields.value(7) + QLatin1Char(' ') + fields.value(9);
    }
    EXPECT_EQ(reports, c.reports);
}

INSTANTIATE_TEST_SUITE_P(
    Alarms, IdentifierChange,
    ::testing::Values(
        IdChangeCase{"RaisedSwitchedOff", {4.9f}, false, 0, NO_ALARM, 0, 3032, {"N 3032"}},
        IdChangeCase{"AcknowledgedSwitchedOff", {4.9f}, true, 0, NO_ALARM, 0, 3032, {"N 3032"}},
        IdChangeCase{"RectifiedSwitchedOff", {4.9f, 5.6f}, false, 0, NO_ALARM, 0, 3032, {"N 3032"}},
        IdChangeCase{"NormalSwitchedOff", {}, false, 0, NO_ALARM, 0, 3032, {}},
        IdChangeCase{"RaisedRenumbered", {4.9f}, false, 4040, ALR_ACTIVE_UACKED, 4040, 3032, {}},
        IdChangeCase{
            "AcknowledgedRenumbered", {4.9f}, true, 4040, ALR_ACTIVE_ACKED, 4040, 3032, {}}));

// ---- speed-level relay ----------------------------------------------------------------------

struct LevelCase {
    const char* name;
    float low;
    float high;
    std::vector<float> speeds;
    QList<bool> relay;
};
void PrintTo(const LevelCase& c, std::ostream* os) {
    printCaseName(c, os);
}
class SpeedLevel : public AlarmTest, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(SpeedLevel, RelayFollowsTheLevelsWithHalfAKnotHysteresis) {
    setup().AlarmLimitsSetup.set(&AlarmLimits_Setup_S::speedLevelLow1, GetParam().low);
    setup().AlarmLimitsSetup.set(&AlarmLimits_Setup_S::speedLevelHigh1, GetParam().high);
    for (float v : GetParam().speeds) {
        controller->checkSpeedWarnWater(v);
    }
    EXPECT_EQ(speedRelay, GetParam().relay);
}

INSTANTIATE_TEST_SUITE_P(
    Alarms, SpeedLevel,
    ::testing::Values(LevelCase{"BothOffNothing", 0.0f, 0.0f, {1.0f, 30.0f}, {}},
                      LevelCase{"BelowLowOn", 3.0f, 0.0f, {2.9f, 2.0f}, {true}},
                      LevelCase{"LowKeptWithinHysteresis", 3.0f, 0.0f, {2.9f, 3.5f}, {true}},
                      LevelCase{"LowReleased", 3.0f, 0.0f, {2.9f, 3.6f}, {true, false}},
                      LevelCase{"AboveHighOn", 0.0f, 10.0f, {10.1f}, {true}},
                      LevelCase{"HighReleased", 0.0f, 10.0f, {10.1f, 9.6f, 9.4f}, {true, false}}));

// ---- alert commands (ACN) -------------------------------------------------------------------

constexpr quint32 kAll = kAbsentULong;

struct AcnCase {
    const char* name;
    quint32 id;
    quint32 instance;
    QString command;
    QString sourceSfi;
    // Low STW is active-unacknowledged, high SOG acknowledged, before the command.
    AlarmLevel lowWater;
    AlarmLevel highGround;
    QStringList refused; // ARC bodies
};
void PrintTo(const AcnCase& c, std::ostream* os) {
    printCaseName(c, os);
}
class AlertCommands : public AlarmTest, public ::testing::WithParamInterface<AcnCase> {};

TEST_P(AlertCommands, ApplyOrRefuseTheCommand) {
    const AcnCase& c = GetParam();
    controller->checkLowSpeed(4.9f, true);
    controller->checkHighSpeed(26.0f, false);
    alert(ALARM_HIGH_SPEED_GROUND).setAcknowledged();
    clear();
    auto acn = std::make_shared<MsgACN>(QString(), QString(), c.id, c.instance, c.command,
                                        QStringLiteral("C"));
    acn->setSourceSFI(c.sourceSfi);
    controller->handleACN(acn);
    EXPECT_EQ(alert(ALARM_LOW_SPEED_WATER).getAlertState(), c.lowWater);
    EXPECT_EQ(alert(ALARM_HIGH_SPEED_GROUND).getAlertState(), c.highGround);
    EXPECT_EQ(lanOf(QStringLiteral("ARC")), c.refused);
}

const QString kArcLow = QStringLiteral("ARC,123456.00,,3032,1,");
const QString kArcHighGround = QStringLiteral("ARC,123456.00,,3032,4,");

INSTANTIATE_TEST_SUITE_P(
    Alarms, AlertCommands,
    ::testing::Values(
        AcnCase{"AcknowledgeOne", 3032, 1, "A", kPeerSfi, ALR_ACTIVE_ACKED, ALR_ACTIVE_ACKED, {}},
        AcnCase{"AcknowledgeAllRefused",
                0,
                kAll,
                "A",
                kPeerSfi,
                ALR_ACTIVE_UACKED,
                ALR_ACTIVE_ACKED,
                {kArcLow + "A", kArcHighGround + "A"}},
        AcnCase{"TakeOverAllRefused",
                0,
                kAll,
                "O",
                kPeerSfi,
                ALR_ACTIVE_UACKED,
                ALR_ACTIVE_ACKED,
                {kArcLow + "O", kArcHighGround + "O"}},
        AcnCase{"SilenceAll", 0, kAll, "S", kPeerSfi, ALR_ACTIVE_SILENCED, ALR_ACTIVE_ACKED, {}},
        AcnCase{"TakeOverByPeer",
                3032,
                1,
                "O",
                kPeerSfi,
                ALR_ACTIVE_RESPON_TRANS,
                ALR_ACTIVE_ACKED,
                {}},
        AcnCase{"TakeOverByStrangerIgnored",
                3032,
                1,
                "O",
                "XX0001",
                ALR_ACTIVE_UACKED,
                ALR_ACTIVE_ACKED,
                {}},
        AcnCase{"TakeOverOfAcknowledgedRefused",
                3032,
                4,
                "O",
                kPeerSfi,
                ALR_ACTIVE_UACKED,
                ALR_ACTIVE_ACKED,
                {kArcHighGround + "O"}},
        AcnCase{"WrongInstanceNothing",
                3032,
                2,
                "A",
                kPeerSfi,
                ALR_ACTIVE_UACKED,
                ALR_ACTIVE_ACKED,
                {}},
        AcnCase{"UnknownIdentifierNothing",
                999,
                1,
                "A",
                kPeerSfi,
                ALR_ACTIVE_UACKED,
                ALR_ACTIVE_ACKED,
                {}},
        AcnCase{"UnknownCommandNothing",
                3032,
                1,
                "X",
                kPeerSfi,
                ALR_ACTIVE_UACKED,
                ALR_ACTIVE_ACKED,
                {}}));

TEST_F(AlarmTest, TakeOverOfARectifiedAlertIsRefused) {
    controller->checkLowSpeed(4.9f, true);
    controller->checkLowSpeed(6.0f, true);
    clear();
    auto acn = std::make_shared<MsgACN>(QString(), QString(), 3032, 1, "O", "C");
    acn->setSourceSFI(kPeer);
    controller->handleACN(acn);
    EXPECT_EQ(alert(ALARM_LOW_SPEED_WATER).getAlertState(), ALR_RECTIF_UACKED);
    EXPECT_EQ(lanOf(QStringLiteral("ARC")), QStringList{kArcLow + "O"});
}

TEST_F(AlarmTest, RepeatRequestSendsTheSameRevisionAgain) {
    controller->checkLowSpeed(4.9f, true);
    clear();
    controller->handleACN(std::make_shared<MsgACN>(QString(), QString(), 3032, 1, "Q", "C"));
    ASSERT_EQ(nmea1.size(), 1);
    EXPECT_EQ(anySequence(nmea1[0]),
              QStringLiteral("ALF,1,1,n,%1,B,W,V,,3032,1,1,0,STW Speed Lo").arg(kTime));
}

TEST_F(AlarmTest, CommandsFromAnotherClusterAreIgnored) {
    controller->checkLowSpeed(4.9f, true);
    auto acn = std::make_shared<MsgACN>(QString(), QString(), 3032, 1, "A", "C");
    acn->setSourceCluster(QStringLiteral("Eng"));
    controller->handleACN(acn);
    EXPECT_EQ(alert(ALARM_LOW_SPEED_WATER).getAlertState(), ALR_ACTIVE_UACKED);
}

TEST_F(AlarmTest, SilenceByCommandEndsAfterThirtySecondsWithANewRevision) {
    controller->checkLowSpeed(4.9f, true);
    QList<bool> localBuzzerSilenced;
    QObject::connect(controller.get(), &AlarmController::sigSilenceAlarmBeepOutput,
                     [&](bool silenced) { localBuzzerSilenced << silenced; });
    clear();
    controller->handleACN(std::make_shared<MsgACN>(QString(), QString(), 3032, 1, "S", "C"));
    EXPECT_TRUE(localBuzzerSilenced.contains(true));
    ASSERT_EQ(nmea1.size(), 1);
    EXPECT_EQ(nmea1[0].split(',').mid(7), QString("S,,3032,1,2,0,STW Speed Lo").split(','));
    time.advance(30'000);
    ASSERT_EQ(nmea1.size(), 2);
    EXPECT_EQ(nmea1[1].split(',').mid(7), QString("V,,3032,1,3,0,STW Speed Lo").split(','));
}

// ---- alert management heartbeat -------------------------------------------------------------

struct HeartbeatCase {
    const char* name;
    QString events; // m missed, r received
    AlarmLevel state;
};
void PrintTo(const HeartbeatCase& c, std::ostream* os) {
    printCaseName(c, os);
}
class PeerHeartbeat : public AlarmTest, public ::testing::WithParamInterface<HeartbeatCase> {};

TEST_P(PeerHeartbeat, TwoMissedInARowReturnTheAlertFromTheTakeOver) {
    controller->checkLowSpeed(4.9f, true);
    auto acn = std::make_shared<MsgACN>(QString(), QString(), 3032, 1, "O", "C");
    acn->setSourceSFI(kPeer);
    controller->handleACN(acn);
    for (QChar e : GetParam().events) {
        if (e == 'm') {
            time.advance(30'000);
            controller->hbtMessageNotReceived();
        } else {
            controller->hbtMessageReceived();
        }
    }
    EXPECT_EQ(alert(ALARM_LOW_SPEED_WATER).getAlertState(), GetParam().state);
}

INSTANTIATE_TEST_SUITE_P(
    Alarms, PeerHeartbeat,
    ::testing::Values(HeartbeatCase{"OneMissKeeps", "m", ALR_ACTIVE_RESPON_TRANS},
                      HeartbeatCase{"SixtySecondsSilentReturns", "mm", ALR_ACTIVE_UACKED},
                      HeartbeatCase{"HeartbeatBetweenKeeps", "mrm", ALR_ACTIVE_RESPON_TRANS},
                      HeartbeatCase{"HeartbeatThenTwoMissesReturns", "mrmm", ALR_ACTIVE_UACKED}));

// ---- ALR scheme -----------------------------------------------------------------------------

TEST_F(AlrAlarmTest, NothingActiveGivesOneEmptyAlrEveryFifteenSeconds) {
    for (int second = 1; second <= 14; ++second) {
        controller->periodicalTestAndSend();
    }
    EXPECT_TRUE(nmea1.isEmpty());
    controller->periodicalTestAndSend();
    EXPECT_EQ(nmea1, QStringList{"ALR,,,V,V,"});
    EXPECT_EQ(nmea2, QStringList{"ALR,,,V,V,"});
    EXPECT_EQ(lanAlerts(), QStringList{"ALR,,,V,V,"});
    for (int second = 1; second <= 15; ++second) {
        controller->periodicalTestAndSend();
    }
    EXPECT_EQ(nmea1.size(), 2);
}

TEST_F(AlrAlarmTest, EachBurstCarriesOneAlrPerAlert) {
    controller->checkLowSpeed(4.9f, true);
    controller->checkHighSpeed(26.0f, false);
    controller->setSystemAlarm(SYS_SENSOR_LOST);
    clear();
    for (int second = 1; second <= 15; ++second) {
        controller->periodicalTestAndSend();
    }
    EXPECT_EQ(nmea1, (QStringList{"ALR,123456.00,3032,A,V,STW Speed Lo",
                                  "ALR,123456.00,3032,A,V,SOG Speed Hi",
                                  "ALR,123456.00,3015,A,V,Sensor Comm"}));
}

struct AckCase {
    const char* name;
    int number;
    AlarmLevel lowWater;
    AlarmLevel display;
    AlarmLevel sensor;
};
void PrintTo(const AckCase& c, std::ostream* os) {
    printCaseName(c, os);
}
class Acknowledge : public AlrAlarmTest, public ::testing::WithParamInterface<AckCase> {};

TEST_P(Acknowledge, AckAcknowledgesEveryAlertWithThatNumber) {
    controller->checkLowSpeed(4.9f, true);
    controller->setSystemAlarm(SYS_SENSOR_LOST);
    controller->setSystemAlarm(SYS_DISPLAY_LOST);
    controller->handleACK(std::make_shared<MsgACK>(GetParam().number));
    EXPECT_EQ(alert(ALARM_LOW_SPEED_WATER).getAlertState(), GetParam().lowWater);
    EXPECT_EQ(alert(ALARM_SYSTEM_DISPLAY).getAlertState(), GetParam().display);
    EXPECT_EQ(alert(ALARM_SYSTEM_SENSOR).getAlertState(), GetParam().sensor);
}

INSTANTIATE_TEST_SUITE_P(Alarms, Acknowledge,
                         ::testing::Values(AckCase{"SpeedAlert", 3032, ALR_ACTIVE_ACKED,
                                                   ALR_ACTIVE_UACKED, ALR_ACTIVE_UACKED},
                                           AckCase{"BothSystemAlerts", 3015, ALR_ACTIVE_UACKED,
                                                   ALR_ACTIVE_ACKED, ALR_ACTIVE_ACKED},
                                           AckCase{"UnknownNumber", 999, ALR_ACTIVE_UACKED,
                                                   ALR_ACTIVE_UACKED, ALR_ACTIVE_UACKED}));

TEST_F(AlarmTest, AckIsIgnoredUnderTheAlfScheme) {
    controller->checkLowSpeed(4.9f, true);
    controller->handleACK(std::make_shared<MsgACK>(3032));
    EXPECT_EQ(alert(ALARM_LOW_SPEED_WATER).getAlertState(), ALR_ACTIVE_UACKED);
}

TEST_F(AlarmTest, SchemeSwitchTakesEffectAtTheNextChange) {
    controller->checkLowSpeed(4.9f, true);
    EXPECT_TRUE(nmea1.last().startsWith("ALF"));
    setup().AlarmIDsSetup.set(&AlarmIDs_Setup_S::useALR, true);
    controller->checkLowSpeed(6.0f, true);
    EXPECT_EQ(nmea1.last(), QStringLiteral("ALR,123456.00,3032,V,V,STW Speed Lo"));
}

// ---- sequences ------------------------------------------------------------------------------

TEST_F(AlarmTest, AlfSequenceRunsZeroToNineAndAlcZeroToNinetyNine) {
    AlarmInstance& a = alert(ALARM_LOW_SPEED_WATER);
    QStringList alfSequences;
    for (int i = 0; i < 11; ++i) {
        a.setTimestampleStateChanged();
        alfSequences << nmea1.last().split(',').value(3);
    }
    // Six ALFs went out at the start reset.
    EXPECT_EQ(alfSequences.join(' '), QStringLiteral("6 7 8 9 0 1 2 3 4 5 6"));
    QStringList alcSequences;
    for (int i = 0; i < 101; ++i) {
        controller->periodicalSendAlcMSg();
        alcSequences << nmea1.last().split(',').value(3);
    }
    EXPECT_EQ(alcSequences.first(), QStringLiteral("00"));
    EXPECT_EQ(alcSequences[99], QStringLiteral("99"));
    EXPECT_EQ(alcSequences[100], QStringLiteral("00"));
}

TEST_F(AlarmTest, AlertListHoldsTheAlertsThatAreNotNormalExceptInStandby) {
    controller->checkLowSpeed(4.9f, true);
    controller->setSystemAlarm(SYS_SENSOR_LOST);
    controller->periodicalSendAlcMSg();
    EXPECT_EQ(nmea1.last(), QStringLiteral("ALC,01,01,00,2,,3032,1,1,,3015,6,1"));
    setup().confirmSystemStandby(true);
    controller->periodicalSendAlcMSg();
    EXPECT_EQ(nmea1.last(), QStringLiteral("ALC,01,01,01,0"));
}

// ---- display list, buzzer and relay ---------------------------------------------------------

TEST_F(AlarmTest, DisplayListShowsTheMostUrgentAndNewestFirst) {
    controller->checkLowSpeed(4.9f, true);
    time.advance(5'000);
    controller->checkHighSpeed(26.0f, false);
    time.advance(5'000);
    controller->checkLowSpeed(1.0f, false);
    alert(ALARM_LOW_SPEED_WATER).setAcknowledged();
    EXPECT_EQ(body(controller->getAlarmForDisplay()),
              QStringLiteral("PNRVALRS,0,SOG Lo,5,SOG Hi,5,STW Lo,2,,0,,0"));
}

struct ModeCase {
    const char* name;
    bool demo;
    bool test;
    bool muted;
    int mode;
};
void PrintTo(const ModeCase& c, std::ostream* os) {
    printCaseName(c, os);
}
class DisplayMode : public AlarmTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(DisplayMode, DemoBeforeTestBeforeMute) {
    const ModeCase c = GetParam();
    controller->hooks().sensorDemoActive = [c] { return c.demo; };
    controller->hooks().alarmTestActive = [c] { return c.test; };
    controller->hooks().sensorMuted = [c] { return c.muted; };
    EXPECT_EQ(controller->getAlarmForDisplay()->nSimulatorType(), c.mode);
}

INSTANTIATE_TEST_SUITE_P(Alarms, DisplayMode,
                         ::testing::Values(ModeCase{"Normal", false, false, false, 0},
                                           ModeCase{"Demo", true, true, true, 1},
                                           ModeCase{"Test", false, true, true, 2},
                                           ModeCase{"Muted", false, false, true, 3}));

TEST_F(AlarmTest, NewAlertReachesTheDisplayThreeSecondsLater) {
    controller->checkLowSpeed(4.9f, true);
    EXPECT_TRUE(lanOf("PNRVALRS").isEmpty());
    time.advance(AlarmController::kDisplayDelayMs);
    EXPECT_EQ(lanOf("PNRVALRS"), QStringList{"PNRVALRS,0,STW Lo,5,,0,,0,,0,,0"});
}

TEST_F(AlarmTest, NoListIsSentWhileTheDisplayIsLost) {
    controller->setSystemAlarm(SYS_DISPLAY_LOST);
    time.advance(10'000);
    controller->handleUserACK();
    EXPECT_TRUE(lanOf("PNRVALRS").isEmpty());
    controller->exitSystemAlarm(SYS_DISPLAY_LOST);
    EXPECT_FALSE(lanOf("PNRVALRS").isEmpty());
}

TEST_F(AlarmTest, DisplayAnswerAcknowledgesTheAlertOfItsFirstLine) {
    controller->checkLowSpeed(4.9f, true);
    controller->checkHighSpeed(26.0f, true);
    controller->handleALRS(std::make_shared<MsgALRS>(0, "STW Lo", 2, QString(), 0, QString(), 0,
                                                     QString(), 0, QString(), 0));
    EXPECT_EQ(alert(ALARM_LOW_SPEED_WATER).getAlertState(), ALR_ACTIVE_ACKED);
    EXPECT_EQ(alert(ALARM_HIGH_SPEED_WATER).getAlertState(), ALR_ACTIVE_UACKED);
}

TEST_F(AlarmTest, EachNewAlertSoundsTheDisplayBuzzerAtLeastFifteenSecondsApart) {
    controller->checkLowSpeed(4.9f, true);
    controller->checkHighSpeed(26.0f, false);
    time.advance(AlarmController::kDisplayDelayMs);
    EXPECT_EQ(lanOf("PNRVICM,1,43"), QStringList{"PNRVICM,1,43,1"});
    EXPECT_EQ(relay, QList<bool>{true});
    time.advance(AlarmController::kBeepDelayMs - 1);
    EXPECT_EQ(lanOf("PNRVICM,1,43").size(), 1);
    time.advance(1);
    EXPECT_EQ(lanOf("PNRVICM,1,43").size(), 2);
    time.advance(60'000);
    EXPECT_EQ(lanOf("PNRVICM,1,43").size(), 2);
}

TEST_F(AlarmTest, AlarmRelayReleasesWhenNothingIsLeftToAcknowledge) {
    controller->checkLowSpeed(4.9f, true);
    time.advance(60'000);
    ASSERT_EQ(relay, QList<bool>{true});
    controller->handleUserACK();
    EXPECT_EQ(relay, (QList<bool>{true, false}));
    EXPECT_EQ(lanOf("PNRVICM,1,43").last(), QStringLiteral("PNRVICM,1,43,0"));
}

TEST_F(AlarmTest, OperatorAcknowledgesSoundingSilencedAndRectifiedAlerts) {
    controller->checkLowSpeed(4.9f, true);
    controller->checkHighSpeed(26.0f, true);
    controller->checkLowSpeed(1.0f, false);
    controller->checkHighSpeed(19.0f, true);
    alert(ALARM_LOW_SPEED_GROUND).setSilenced();
    controller->handleUserACK();
    EXPECT_EQ(alert(ALARM_LOW_SPEED_WATER).getAlertState(), ALR_ACTIVE_ACKED);
    EXPECT_EQ(alert(ALARM_HIGH_SPEED_WATER).getAlertState(), NO_ALARM);
    EXPECT_EQ(alert(ALARM_LOW_SPEED_GROUND).getAlertState(), ALR_ACTIVE_ACKED);
}

TEST_F(AlarmTest, SystemAlertsFollowTheLossAndReturnOfTheirPeer) {
    controller->setSystemAlarm(SYS_SENSOR_LOST);
    EXPECT_EQ(alert(ALARM_SYSTEM_SENSOR).getAlertState(), ALR_ACTIVE_UACKED);
    controller->exitSystemAlarm(SYS_SENSOR_LOST);
    EXPECT_EQ(alert(ALARM_SYSTEM_SENSOR).getAlertState(), ALR_RECTIF_UACKED);
    controller->setSystemAlarm(SYS_ALARM_TEST);
    EXPECT_EQ(alert(ALARM_SYSTEM_SENSOR).getAlertState(), ALR_RECTIF_UACKED);
}

TEST_F(AlarmTest, AlarmTestRaisesEverySpeedAlertWithAnIdentifier) {
    setup().AlarmIDsSetup.set(&AlarmIDs_Setup_S::sogHighAlarmID, 0);
    controller->activateAllSpeedAlertsFromTest();
    EXPECT_EQ(alert(ALARM_LOW_SPEED_WATER).getAlertState(), ALR_ACTIVE_UACKED);
    EXPECT_EQ(alert(ALARM_HIGH_SPEED_GROUND).getAlertState(), NO_ALARM);
    controller->exitSpeedAlarms();
    EXPECT_EQ(alert(ALARM_LOW_SPEED_WATER).getAlertState(), NO_ALARM);
}

} // namespace
