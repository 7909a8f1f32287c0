#include "alarmfixture.h"

#include "displaycommands.h"
#include "msgack.h"
#include "msgacn.h"
#include "msgalrs.h"
#include "msgicm.h"

#include <limits>
#include <vector>

namespace {

constexpr AlarmSource kLowStw = ALARM_LOW_SPEED_WATER;
constexpr AlarmSource kHighStw = ALARM_HIGH_SPEED_WATER;
constexpr AlarmSource kLowSog = ALARM_LOW_SPEED_GROUND;
constexpr AlarmSource kHighSog = ALARM_HIGH_SPEED_GROUND;
constexpr quint32 kAll = kAbsentULong;

using AlarmControl = AlarmTest;

TEST_F(AlarmControl, SpeedAlertsRaiseBeyondTheLimitAndRectifyOnlyHalfAKnotBack) {
    // alert, speeds checked, its state and revision then
    const std::tuple<const char*, AlarmSource, std::vector<float>, const char*, int> cases[] = {
        {"StwLowRaised", kLowStw, {4.9f}, "V", 1},
        {"StwLowKeptWithinHysteresis", kLowStw, {4.9f, 5.4f, 5.5f}, "V", 1},
        {"StwLowRectified", kLowStw, {4.9f, 5.4f, 5.6f}, "U", 2},
        {"StwLowRaisedAgainFromRectified", kLowStw, {4.9f, 5.6f, 4.0f}, "V", 3},
        {"StwLowAtLimitNotRaised", kLowStw, {5.0f}, "N", 0},
        {"AsternNeverRaisesLow", kLowStw, {-1.0f, -0.1f}, "N", 0},
        {"StoppedRaisesLow", kLowStw, {0.0f}, "V", 1},
        {"AbsentSpeedIgnored", kLowStw, {4.9f, kAbsentFloat}, "V", 1},
        {"NanIgnored", kHighStw, {std::numeric_limits<float>::quiet_NaN()}, "N", 0},
        {"SogLowRaised", kLowSog, {1.9f}, "V", 1},
        {"StwHighRaised", kHighStw, {20.1f}, "V", 1},
        {"StwHighKeptWithinHysteresis", kHighStw, {20.1f, 19.5f}, "V", 1},
        {"StwHighRectified", kHighStw, {20.1f, 19.4f}, "U", 2},
        {"SogHighAtLimitNotRaised", kHighSog, {25.0f}, "N", 0},
        {"SogHighRaised", kHighSog, {25.1f}, "V", 1},
    };
    for (const auto& [name, source, speeds, state, revision] : cases) {
        SCOPED_TRACE(name);
        renew();
        const bool water = source == kLowStw || source == kHighStw;
        for (float v : speeds) {
            if (source == kLowStw || source == kLowSog) {
                controller->checkLowSpeed(v, water);
            } else {
                controller->checkHighSpeed(v, water);
            }
        }
        EXPECT_EQ(alertStateLetter(alert(source).getAlertState()), state);
        EXPECT_EQ(alert(source).getRevisionCounter(), revision);
    }
}

// An alert goes out on every channel whose alarm output is on; on the LAN to the alert manager.
TEST_F(AlarmControl, AlertSentencesGoWhereAlarmOutputIsEnabled) {
    const QString raised = QStringLiteral("ALF,1,1,n,%1,B,W,V,,3032,1,1,0,STW Speed Lo").arg(kTime);
    const std::pair<QStringList, QList<qsizetype>> cases[] = {
        {{"Nmea_1", "Nmea_2", "LAN"}, {1, 1, 1}}, {{"Nmea_2"}, {0, 1, 0}}};
    for (const auto& [enabled, counts] : cases) {
        renew();
        controller->hooks().alarmOutputEnabled = [on = enabled](const QString& channel) {
            return on.contains(channel);
        };
        controller->checkLowSpeed(4.9f, true);
        EXPECT_EQ((QList<qsizetype>{nmea1.size(), nmea2.size(), lanOf("A").size()}), counts);
        for (const QString& sent : nmea1 + nmea2 + lanOf("A")) {
            EXPECT_EQ(anySequence(sent), raised);
        }
        EXPECT_EQ(lanDestinations.value(0, kPeer), kPeer);
    }
    controller->checkLowSpeed(5.6f, true);
    EXPECT_EQ(anySequence(nmea2.last()),
              QStringLiteral("ALF,1,1,n,%1,B,W,U,,3032,1,2,0,STW Speed Lo").arg(kTime));
}

TEST_F(AlarmControl, ALimitOrIdentifierOfZeroEndsTheAlertAtTheNextCheck) {
    for (const auto& [limit, id] : {std::pair(0.0f, 3032), std::pair(5.0f, 0)}) {
        renew();
        controller->checkLowSpeed(4.9f, true);
        setup().AlarmLimitsSetup.set(&AlarmLimits_Setup_S::stwLowLimit, limit);
        setup().AlarmIDsSetup.set(&AlarmIDs_Setup_S::stwLowAlarmID, id);
        controller->checkLowSpeed(4.0f, true);
        EXPECT_EQ(states(), "NNNNNN") << limit << " " << id;
    }
}

// An alert the display switches off ends under the identifier the bridge knows it by; one
// renumbered keeps its state (the unit run end to end shows the bridge taking the new number).
TEST_F(AlarmControl, RaisedAlertTakesANewIdentifierOrEndsUnderItsOld) {
    // low STW speeds, acknowledged, the new identifier, state and identifier then, the state
    // letter and identifier of each ALF the change sends
    const std::tuple<std::vector<float>, bool, int, const char*, int, QStringList> cases[] = {
        {{4.9f}, false, 0, "N", 0, {"N 3032"}},       {{4.9f}, true, 0, "N", 0, {"N 3032"}},
        {{4.9f, 5.6f}, false, 0, "N", 0, {"N 3032"}}, {{}, false, 0, "N", 0, {}},
        {{4.9f}, true, 4040, "A", 4040, {}},
    };
    for (const auto& [speeds, acknowledged, newId, state, id, reports] : cases) {
        SCOPED_TRACE(testing::Message() << speeds.size() << acknowledged << newId);
        renew();
        for (float v : speeds) {
            controller->checkLowSpeed(v, true);
        }
        if (acknowledged) {
            controller->handleUserACK();
        }
        clear();
        // The display's alarm identifiers command, with the low STW identifier given.
        DisplayCommands commands(setup());
        QObject::connect(&commands, &DisplayCommands::sigAlertIdChanged, controller.get(),
                         &AlarmController::slotAlertIDChanged);
        commands.slotSystemSetupMessage(
            std::make_shared<MsgICM>(1, 13, QList<int>{3032, newId, 3032, 3032, 3015, 0, 0}));
        const AlarmInstance& a = alert(kLowStw);
        EXPECT_EQ(alertStateLetter(a.getAlertState()), state);
        EXPECT_EQ(a.getAlertID(), id);
        EXPECT_EQ(a.getPreviousAlertID(), 3032);
        QStringList sent;
        for (const QString& alf : nmea1) {
            const QStringList fields = alf.split(QLatin1Char(','));
            sent << fields.value(7) + QLatin1Char(' ') + fields.value(9);
        }
        EXPECT_EQ(sent, reports);
    }
}

TEST_F(AlarmControl, SpeedLevelRelayFollowsTheLevelsWithHalfAKnotHysteresis) {
    // name, low and high level, STW speeds checked, what the relay is switched to
    const std::tuple<const char*, float, float, std::vector<float>, QList<bool>> cases[] = {
        {"BothOffNothing", 0.0f, 0.0f, {1.0f, 30.0f}, {}},
        {"BelowLowOn", 3.0f, 0.0f, {2.9f, 2.0f}, {true}},
        {"LowKeptWithinHysteresis", 3.0f, 0.0f, {2.9f, 3.5f}, {true}},
        {"LowReleased", 3.0f, 0.0f, {2.9f, 3.6f}, {true, false}},
        {"AboveHighOn", 0.0f, 10.0f, {10.1f}, {true}},
        {"HighReleased", 0.0f, 10.0f, {10.1f, 9.6f, 9.4f}, {true, false}},
    };
    for (const auto& [name, low, high, speeds, switched] : cases) {
        SCOPED_TRACE(name);
        renew();
        setup().AlarmLimitsSetup.set(&AlarmLimits_Setup_S::speedLevelLow1, low);
        setup().AlarmLimitsSetup.set(&AlarmLimits_Setup_S::speedLevelHigh1, high);
        for (float v : speeds) {
            controller->checkSpeedWarnWater(v);
        }
        EXPECT_EQ(speedRelay, switched);
    }
}

TEST_F(AlarmControl, AlertCommandsAreAppliedOrRefused) {
    const QString arc = QStringLiteral("ARC,%1,,3032,").arg(kTime);
    // Before each command low STW sounds, low SOG is rectified and high SOG acknowledged.
    const struct {
        const char* name;
        quint32 id;
        quint32 instance;
        const char* command;
        QString sourceSfi;
        const char* cluster;
        const char* states;
        const char* sent; // ALFs as state, instance and revision; refusals as instance and command
        bool localBuzzerSilenced;
    } cases[] = {
        {"AcknowledgeOne", 3032, 1, "A", kPeer, "", "ANUANN", "A1r2", false},
        {"AcknowledgeFromTheNavCluster", 3032, 1, "A", kPeer, "Nav", "ANUANN", "A1r2", false},
        {"AnotherClusterIgnored", 3032, 1, "A", kPeer, "Eng", "VNUANN", "", false},
        {"AcknowledgeAllRefused", 0, kAll, "A", kPeer, "", "VNUANN", "ARC1A ARC3A ARC4A", false},
        {"TakeOverAllRefused", 0, kAll, "O", kPeer, "", "VNUANN", "ARC1O ARC3O ARC4O", false},
        {"SilenceAll", 0, kAll, "S", kPeer, "", "SNUANN", "S1r2", true},
        {"TakeOverByPeer", 3032, 1, "O", kPeer, "", "ONUANN", "O1r2", false},
        {"TakeOverByStrangerIgnored", 3032, 1, "O", "XX0001", "", "VNUANN", "", false},
        {"TakeOverOfRectifiedRefused", 3032, 3, "O", kPeer, "", "VNUANN", "ARC3O", false},
        {"TakeOverOfAcknowledgedRefused", 3032, 4, "O", kPeer, "", "VNUANN", "ARC4O", false},
        {"RepeatSendsTheSameRevision", 3032, 1, "Q", kPeer, "", "VNUANN", "V1r1", false},
        {"WrongInstanceNothing", 3032, 2, "A", kPeer, "", "VNUANN", "", false},
        {"UnknownIdentifierNothing", 999, 1, "A", kPeer, "", "VNUANN", "", false},
        {"UnknownCommandNothing", 3032, 1, "X", kPeer, "", "VNUANN", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        renew();
        controller->checkLowSpeed(4.9f, true);
        controller->checkLowSpeed(1.0f, false);
        controller->checkLowSpeed(3.0f, false);
        controller->checkHighSpeed(26.0f, false);
        alert(kHighSog).setAcknowledged();
        clear();
        auto acn = std::make_shared<MsgACN>(QString(), QString(), c.id, c.instance, c.command,
                                            QStringLiteral("C"));
        acn->setSourceSFI(c.sourceSfi);
        acn->setSourceCluster(QString::fromLatin1(c.cluster));
        controller->handleACN(acn);
        EXPECT_EQ(states(), c.states);
        QStringList sent;
        for (const QString& text : nmea1) {
            const QStringList f = text.split(QLatin1Char(','));
            if (f[0] == QLatin1String("ALF")) {
                sent << f[7] + f[10] + QLatin1Char('r') + f[11];
            } else {
                EXPECT_TRUE(text.startsWith(arc)) << text.toStdString();
                sent << f[0] + f[4] + f[5];
            }
        }
        EXPECT_EQ(sent.join(QLatin1Char(' ')), c.sent);
        EXPECT_EQ(localBuzzerSilenced.contains(true), c.localBuzzerSilenced);
    }
}

TEST_F(AlarmControl, AlertManagementThatMissesTwoHeartbeatsInARowGivesTheAlertBack) {
    // heartbeats (m missed, r received), the alert's state then
    const std::tuple<const char*, const char*> cases[] = {
        {"m", "O"}, {"mm", "V"}, {"mrm", "O"}, {"mrmm", "V"}};
    for (const auto& [events, state] : cases) {
        SCOPED_TRACE(events);
        renew();
        controller->checkLowSpeed(4.9f, true);
        auto acn = std::make_shared<MsgACN>(QString(), QString(), 3032, 1, "O", "C");
        acn->setSourceSFI(kPeer);
        controller->handleACN(acn);
        for (const char* e = events; *e != '\0'; ++e) {
            if (*e == 'm') {
                time.advance(30'000);
                controller->hbtMessageNotReceived();
            } else {
                controller->hbtMessageReceived();
            }
        }
        EXPECT_EQ(alertStateLetter(alert(kLowStw).getAlertState()), state);
    }
}

TEST_F(AlarmControl, AlrBurstEveryFifteenSecondsCarriesOneAlrPerAlertOrOneEmpty) {
    renew(true);
    for (int second = 1; second <= 14; ++second) {
        controller->periodicalTestAndSend();
    }
    EXPECT_TRUE(nmea1.isEmpty());
    controller->periodicalTestAndSend();
    EXPECT_EQ(nmea1, QStringList{"ALR,,,V,V,"});
    EXPECT_EQ(nmea2, QStringList{"ALR,,,V,V,"});
    EXPECT_EQ(lanOf("A"), QStringList{"ALR,,,V,V,"});

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

    // A change of scheme takes effect at the next change of an alert.
    renew();
    controller->checkLowSpeed(4.9f, true);
    EXPECT_TRUE(nmea1.last().startsWith("ALF"));
    setup().AlarmIDsSetup.set(&AlarmIDs_Setup_S::useALR, true);
    controller->checkLowSpeed(6.0f, true);
    EXPECT_EQ(nmea1.last(), QStringLiteral("ALR,123456.00,3032,V,V,STW Speed Lo"));
}

TEST_F(AlarmControl, AckAcknowledgesEveryAlertWithThatNumberUnderTheAlrSchemeOnly) {
    // ALR scheme, the number acknowledged, the states then
    const std::tuple<bool, int, const char*> cases[] = {{true, 3032, "ANNNVV"},
                                                        {true, 3015, "VNNNAA"},
                                                        {true, 999, "VNNNVV"},
                                                        {false, 3032, "VNNNVV"}};
    for (const auto& [alr, number, expected] : cases) {
        SCOPED_TRACE(number);
        renew(alr);
        controller->checkLowSpeed(4.9f, true);
        controller->setSystemAlarm(SYS_SENSOR_LOST);
        controller->setSystemAlarm(SYS_DISPLAY_LOST);
        controller->handleACK(std::make_shared<MsgACK>(number));
        EXPECT_EQ(states(), expected);
    }
}

TEST_F(AlarmControl, AlfSequenceRunsZeroToNineAndAlcZeroToNinetyNine) {
    AlarmInstance& a = alert(kLowStw);
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

TEST_F(AlarmControl, AlertListHoldsTheAlertsThatAreNotNormalExceptInStandby) {
    controller->checkLowSpeed(4.9f, true);
    controller->setSystemAlarm(SYS_SENSOR_LOST);
    controller->periodicalSendAlcMSg();
    EXPECT_EQ(nmea1.last(), QStringLiteral("ALC,01,01,00,2,,3032,1,1,,3015,6,1"));
    setup().confirmSystemStandby(true);
    controller->periodicalSendAlcMSg();
    EXPECT_EQ(nmea1.last(), QStringLiteral("ALC,01,01,01,0"));
}

TEST_F(AlarmControl, DisplayListShowsTheMostUrgentAndNewestFirstAfterItsMode) {
    controller->checkLowSpeed(4.9f, true);
    time.advance(5'000);
    controller->checkHighSpeed(26.0f, false);
    time.advance(5'000);
    controller->checkLowSpeed(1.0f, false);
    alert(kLowStw).setAcknowledged();
    EXPECT_EQ(body(controller->getAlarmForDisplay()),
              QStringLiteral("PNRVALRS,0,SOG Lo,5,SOG Hi,5,STW Lo,2,,0,,0"));

    // Demo before test before mute.
    for (const auto& [demo, test, muted, mode] :
         {std::tuple(true, true, true, 1), {false, true, true, 2}, {false, false, true, 3}}) {
        controller->hooks().sensorDemoActive = [demo] { return demo; };
        controller->hooks().alarmTestActive = [test] { return test; };
        controller->hooks().sensorMuted = [muted] { return muted; };
        EXPECT_EQ(controller->getAlarmForDisplay()->nSimulatorType(), mode);
    }
}

// A new alert reaches the display three seconds later, so that alert management can take it
// over first; the display's answer acknowledges the alert of its first line; while the display
// is lost no list goes out.
TEST_F(AlarmControl, TheDisplayListFollowsTheAlertsWhileTheDisplayIsThere) {
    controller->checkLowSpeed(4.9f, true);
    EXPECT_TRUE(lanOf("PNRVALRS").isEmpty());
    time.advance(AlarmController::kDisplayDelayMs);
    EXPECT_EQ(lanOf("PNRVALRS"), QStringList{"PNRVALRS,0,STW Lo,5,,0,,0,,0,,0"});
    controller->checkHighSpeed(26.0f, true);
    controller->handleALRS(std::make_shared<MsgALRS>(0, "STW Lo", 2, QString(), 0, QString(), 0,
                                                     QString(), 0, QString(), 0));
    EXPECT_EQ(states(), "AVNNNN");

    controller->setSystemAlarm(SYS_DISPLAY_LOST);
    clear();
    time.advance(10'000);
    controller->handleUserACK();
    EXPECT_TRUE(lanOf("PNRVALRS").isEmpty());
    controller->exitSystemAlarm(SYS_DISPLAY_LOST);
    EXPECT_FALSE(lanOf("PNRVALRS").isEmpty());
}

TEST_F(AlarmControl, EachNewAlertSoundsTheDisplayBuzzerAtLeastFifteenSecondsApart) {
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

    // Nothing left to acknowledge: the buzzer and the relay fall silent.
    controller->handleUserACK();
    EXPECT_EQ(relay, (QList<bool>{true, true, false}));
    EXPECT_EQ(lanOf("PNRVICM,1,43").last(), QStringLiteral("PNRVICM,1,43,0"));
}

// What the operator's keys, a peer's loss and return and the alarm test do to the six alerts;
// the silence key also silences the unit's own buzzer.
TEST_F(AlarmControl, KeysPeersAndTheAlarmTestMoveTheAlerts) {
    const std::tuple<std::function<void()>, const char*, bool> cases[] = {
        {[this] { // acknowledge: sounding, silenced and rectified ones
             controller->checkLowSpeed(4.9f, true);
             controller->checkHighSpeed(26.0f, true);
             controller->checkLowSpeed(1.0f, false);
             controller->checkHighSpeed(19.0f, true);
             alert(kLowSog).setSilenced();
             controller->handleUserACK();
         },
         "ANANNN", false},
        {[this] { // silence: only the sounding ones
             controller->checkLowSpeed(4.9f, true);
             controller->checkHighSpeed(26.0f, false);
             alert(kHighSog).setAcknowledged();
             localBuzzerSilenced.clear();
             controller->handleUserAlarmSilence();
         },
         "SNNANN", true},
        {[this] { controller->setSystemAlarm(SYS_SENSOR_LOST); }, "NNNNNV", false},
        {[this] {
             controller->setSystemAlarm(SYS_SENSOR_LOST);
             controller->exitSystemAlarm(SYS_SENSOR_LOST);
             controller->setSystemAlarm(SYS_ALARM_TEST);
         },
         "NNNNNU", false},
        {[this] { // every speed alert that has an identifier
             setup().AlarmIDsSetup.set(&AlarmIDs_Setup_S::sogHighAlarmID, 0);
             controller->activateAllSpeedAlertsFromTest();
         },
         "VVVNNN", false},
    };
    for (const auto& [act, expected, buzzerSilenced] : cases) {
        renew();
        act();
        EXPECT_EQ(states(), expected);
        EXPECT_EQ(localBuzzerSilenced.value(localBuzzerSilenced.size() - 1), buzzerSilenced)
            << expected;
    }
    controller->exitSpeedAlarms();
    EXPECT_EQ(states(), "NNNNNN");
}

} // namespace
