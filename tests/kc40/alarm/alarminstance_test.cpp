#include "alarmfixture.h"

#include <functional>
#include <map>

namespace {

// Drives the low-STW alert by a script of steps: v raise, k acknowledge, K acknowledge by
// ACK, s silence, o hand over to alert management, r rectify, n reset, t change the text,
// c record a change; a count repeats the step ("c98"), "+ms" lets time pass.
class AlertLife : public AlarmTest {
protected:
    AlarmInstance& play(const QString& script) {
        AlarmInstance& a = alert(ALARM_LOW_SPEED_WATER);
        for (const QString& step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (step.startsWith(QLatin1Char('+'))) {
                time.advance(step.mid(1).toLongLong());
                continue;
            }
            const int times = step.size() > 1 ? step.mid(1).toInt() : 1;
            for (int i = 0; i < times; ++i) {
                apply(a, step[0].toLatin1());
            }
        }
        return a;
    }

private:
    static void apply(AlarmInstance& a, char step) {
        static const std::map<char, std::function<void(AlarmInstance&)>> kSteps = {
            {'v', &AlarmInstance::setActive},
            {'k', &AlarmInstance::setAcknowledged},
            {'K', &AlarmInstance::setAcknowledgedInALR},
            {'s', &AlarmInstance::setSilenced},
            {'o', &AlarmInstance::setResponsabilityTransfered},
            {'r', &AlarmInstance::setRectified},
            {'n', &AlarmInstance::reset},
            {'t', [](AlarmInstance& x) { x.setAlertText(QStringLiteral("STW Speed Lo 2")); }},
            {'c', &AlarmInstance::setTimestampleStateChanged}};
        ASSERT_TRUE(kSteps.count(step)) << "unknown step " << step;
        kSteps.at(step)(a);
    }
};

TEST_F(AlertLife, EveryRecordedChangeIsReportedWithAlfOrAlr) {
    // name, steps from normal to the starting state, the event, the state it leaves, the state
    // letters of the ALFs it sends, the condition and acknowledge letters of the ALRs it sends
    const std::tuple<const char*, const char*, const char*, const char*, const char*, const char*>
        cases[] = {
            {"NormalActivates", "", "v", "V", "V", "AV"},
            {"ActiveAcknowledged", "v", "k", "A", "A", "AA"},
            {"ActiveAcknowledgedByAck", "v", "K", "A", "A", "AA"},
            {"ActiveSilenced", "v", "s", "S", "S", "AV"},
            {"ActiveTransferred", "v", "o", "O", "O", "AV"},
            {"ActiveRectified", "v", "r", "U", "U", "VV"},
            {"ActiveReset", "v", "n", "N", "N", "VA"},
            {"AcknowledgedRectifiedEnds", "v k", "r", "N", "UN", "VV VA"},
            {"AcknowledgedAgainUnchanged", "v k", "k", "A", "", ""},
            {"AcknowledgedAgainByAckRecorded", "v k", "K", "A", "A", "AA"},
            {"RectifiedAcknowledgedEnds", "v r", "k", "N", "N", "VA"},
            {"RectifiedAcknowledgedByAckEnds", "v r", "K", "N", "N", "VA"},
            {"RectifiedComesBackActive", "v r", "v", "V", "V", "AV"},
            {"SilencedAcknowledged", "v s", "k", "A", "A", "AA"},
            {"SilencedRectified", "v s", "r", "U", "U", "VV"},
            {"TransferredRectifiedEnds", "v o", "r", "N", "N", "VA"},
            {"TransferredAcknowledged", "v o", "k", "A", "A", "AA"},
            {"NormalIgnoresAcknowledge", "", "k", "N", "", ""},
            {"NormalIgnoresAckSentence", "", "K", "N", "", ""},
        };
    for (const auto& [name, reach, event, state, alfSent, alrSent] : cases) {
        for (const bool alr : {false, true}) {
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(name, alr ? "ALR" : "ALF").toStdString());
            renew(alr);
            play(reach);
            clear();
            EXPECT_EQ(alertStateLetter(play(event).getAlertState()), state);
            QStringList letters;
            for (const QString& sent : nmea1) {
                // "ALF,1,1,seq,time,B,W,<state>,..."; "ALR,time,id,<condition>,<acknowledged>,..."
                const QStringList f = sent.split(QLatin1Char(','));
                letters << (alr ? f.value(3) + f.value(4) : f.value(7));
            }
            EXPECT_EQ(letters.join(alr ? QStringLiteral(" ") : QString()),
                      QString::fromLatin1(alr ? alrSent : alfSent));
        }
    }
}

// Revisions run 1..99, escalations 1..9; escalation re-raises an alert left unattended, the
// 30 s silence ends in the alert sounding again. The display's buzzer sounds (ICM 43) for an
// alert that newly sounds: once raised, and at each escalation, also one a silence held back
// until it ended; the end of a plain silence does not sound it again.
TEST_F(AlertLife, RevisionsEscalationAndSilenceFollowTheTime) {
    // name, escalation minutes, steps, state, revision and escalation counts, display buzzes
    const std::tuple<const char*, int, const char*, const char*, int, int, qsizetype> cases[] = {
        {"UnattendedWaitsTheEscalationTime", 2, "v +119999", "V", 1, 0, 1},
        {"UnattendedSoundsAgainAfterIt", 2, "v +120000", "V", 2, 1, 2},
        {"AndAgainAfterTheNext", 2, "v +240000", "V", 3, 2, 3},
        {"AnotherActivationKeepsTheRunningWait", 2, "v +60000 v +60000", "V", 3, 1, 3},
        {"AcknowledgedDoesNotEscalate", 2, "v k +600000", "A", 2, 0, 0},
        {"DueWhileSilencedWaitsForTheSilence", 1, "v +50000 s +10000", "S", 2, 0, 1},
        {"SoundsOnceTheSilenceEnds", 1, "v +50000 s +30000", "V", 3, 1, 2},
        {"EscalationCountReachesNine", 1, "v +540000", "V", 10, 9, 10},
        {"EscalationWrapsToOne", 1, "v +600000", "V", 11, 1, 11},
        {"SilenceLastsThirtySeconds", 0, "v s +29999", "S", 2, 0, 0},
        {"SilencedSoundsAgain", 0, "v s +30000", "V", 3, 0, 1},
        {"SilenceAfterTheBuzzerEnds", 0, "v +5000 s +30000", "V", 3, 0, 1},
        {"ChangedTextIsRecordedOnce", 0, "v k t t", "A", 3, 0, 0},
        {"ActivationKeepsTheRevisionOfTheText", 0, "v k t v", "V", 3, 0, 0},
        {"RevisionReachesNinetyNine", 0, "v c98", "V", 99, 0, 0},
        {"RevisionWrapsToOne", 0, "v c98 s", "S", 1, 0, 0},
        {"ResetClearsIt", 0, "v c98 s n", "N", 0, 0, 0},
    };
    for (const auto& [name, escalationMinutes, script, state, revision, escalation, buzzes] :
         cases) {
        SCOPED_TRACE(name);
        renew(false, escalationMinutes);
        const AlarmInstance& a = play(script);
        EXPECT_EQ(alertStateLetter(a.getAlertState()), state);
        EXPECT_EQ(a.getRevisionCounter(), revision);
        EXPECT_EQ(a.getEscalationCounter(), escalation);
        EXPECT_EQ(lanOf(QStringLiteral("PNRVICM,1,43,1")).size(), buzzes);
        if (a.getAlertState() != NO_ALARM) {
            // The latest ALF carries both counts.
            EXPECT_EQ(nmea1.last().split(QLatin1Char(',')).mid(11, 2),
                      (QStringList{QString::number(revision), QString::number(escalation)}));
        }
    }
}

TEST(AlertEscalation, MinutesBecomeMillisecondsAtMostATimersReach) {
    // escalation minutes, the wait in milliseconds
    const std::tuple<qint64, qint64> cases[] = {{0, 0},
                                                {-3, 0},
                                                {2, 120'000},
                                                {35'791, 2'147'460'000},
                                                {35'792, PlatformTimer::kMaxIntervalMs},
                                                {2'147'483'647, PlatformTimer::kMaxIntervalMs}};
    for (const auto& [minutes, ms] : cases) {
        EXPECT_EQ(AlarmInstance::escalationDelayMs(minutes), ms) << minutes;
    }
}

} // namespace
