#include "alarmfixture.h"

#include "casename.h"

#include <functional>
#include <vector>

namespace {

enum class Op { Activate, Ack, AckAlr, Silence, Transfer, Rectify, Reset };

void apply(AlarmInstance& a, Op op) {
    switch (op) {
    case Op::Activate:
        a.setActive();
        break;
    case Op::Ack:
        a.setAcknowledged();
        break;
    case Op::AckAlr:
        a.setAcknowledgedInALR();
        break;
    case Op::Silence:
        a.setSilenced();
        break;
    case Op::Transfer:
        a.setResponsabilityTransfered();
        break;
    case Op::Rectify:
        a.setRectified();
        break;
    case Op::Reset:
        a.reset();
        break;
    }
}

struct TransitionCase {
    const char* name;
    std::vector<Op> reach; // from normal to the starting state
    Op event;
    AlarmLevel state;
    QStringList alfStates;    // state letters of the ALFs the event sends
    QStringList alrCondition; // condition and acknowledge letters of the ALRs it sends
};
void PrintTo(const TransitionCase& c, std::ostream* os) {
    printCaseName(c, os);
}

const TransitionCase kTransitions[] = {
    {"NormalActivates", {}, Op::Activate, ALR_ACTIVE_UACKED, {"V"}, {"AV"}},
    {"ActiveAcknowledged", {Op::Activate}, Op::Ack, ALR_ACTIVE_ACKED, {"A"}, {"AA"}},
    {"ActiveSilenced", {Op::Activate}, Op::Silence, ALR_ACTIVE_SILENCED, {"S"}, {"AV"}},
    {"ActiveTransferred", {Op::Activate}, Op::Transfer, ALR_ACTIVE_RESPON_TRANS, {"O"}, {"AV"}},
    {"ActiveRectified", {Op::Activate}, Op::Rectify, ALR_RECTIF_UACKED, {"U"}, {"VV"}},
    {"ActiveReset", {Op::Activate}, Op::Reset, NO_ALARM, {"N"}, {"VA"}},
    {"AcknowledgedRectifiedEnds",
     {Op::Activate, Op::Ack},
     Op::Rectify,
     NO_ALARM,
     {"U", "N"},
     {"VV", "VA"}},
    {"AcknowledgedAgainUnchanged", {Op::Activate, Op::Ack}, Op::Ack, ALR_ACTIVE_ACKED, {}, {}},
    {"RectifiedAcknowledgedEnds", {Op::Activate, Op::Rectify}, Op::Ack, NO_ALARM, {"N"}, {"VA"}},
    {"RectifiedAcknowledgedByAckEnds",
     {Op::Activate, Op::Rectify},
     Op::AckAlr,
     NO_ALARM,
     {"N"},
     {"VA"}},
    {"RectifiedComesBackActive",
     {Op::Activate, Op::Rectify},
     Op::Activate,
     ALR_ACTIVE_UACKED,
     {"V"},
     {"AV"}},
    {"SilencedAcknowledged", {Op::Activate, Op::Silence}, Op::Ack, ALR_ACTIVE_ACKED, {"A"}, {"AA"}},
    {"SilencedRectified",
     {Op::Activate, Op::Silence},
     Op::Rectify,
     ALR_RECTIF_UACKED,
     {"U"},
     {"VV"}},
    {"TransferredRectifiedEnds",
     {Op::Activate, Op::Transfer},
     Op::Rectify,
     NO_ALARM,
     {"N"},
     {"VA"}},
    {"TransferredAcknowledged",
     {Op::Activate, Op::Transfer},
     Op::Ack,
     ALR_ACTIVE_ACKED,
     {"A"},
     {"AA"}},
    {"NormalIgnoresAcknowledge", {}, Op::Ack, NO_ALARM, {}, {}},
    {"NormalIgnoresAckSentence", {}, Op::AckAlr, NO_ALARM, {}, {}},
};

// "ALF,1,1,seq,time,B,W,<state>,..." -> state letter; "ALR,time,id,<c>,<a>,text" -> "ca".
QString alfState(const QString& alf) {
    return alf.split(QLatin1Char(',')).value(7);
}
QString alrLetters(const QString& alr) {
    const QStringList f = alr.split(QLatin1Char(','));
    return f.value(3) + f.value(4);
}

class Transitions : public AlarmTest, public ::testing::WithParamInterface<TransitionCase> {};
class AlrTransitions : public AlrAlarmTest, public ::testing::WithParamInterface<TransitionCase> {};

TEST_P(Transitions, ChangeStateAndReportEachRecordedChangeWithAlf) {
    const TransitionCase& c = GetParam();
    AlarmInstance& a = alert(ALARM_LOW_SPEED_WATER);
    for (Op op : c.reach) {
        apply(a, op);
    }
    clear();
    apply(a, c.event);
    EXPECT_EQ(a.getAlertState(), c.state);
    QStringList letters;
    for (const QString& alf : nmea1) {
        letters << alfState(alf);
    }
    EXPECT_EQ(letters, c.alfStates);
}

TEST_P(AlrTransitions, ChangeStateAndReportTheConditionWithAlr) {
    const TransitionCase& c = GetParam();
    AlarmInstance& a = alert(ALARM_LOW_SPEED_WATER);
    for (Op op : c.reach) {
        apply(a, op);
    }
    clear();
    apply(a, c.event);
    EXPECT_EQ(a.getAlertState(), c.state);
    QStringList letters;
    for (const QString& alr : nmea1) {
        letters << alrLetters(alr);
    }
    EXPECT_EQ(letters, c.alrCondition);
}

INSTANTIATE_TEST_SUITE_P(Alert, Transitions, ::testing::ValuesIn(kTransitions));
INSTANTIATE_TEST_SUITE_P(Alert, AlrTransitions, ::testing::ValuesIn(kTransitions));

TEST_F(AlarmTest, RevisionRunsFromOneToNinetyNineAndWrapsToOne) {
    AlarmInstance& a = alert(ALARM_LOW_SPEED_WATER);
    a.setActive();
    EXPECT_EQ(a.getRevisionCounter(), 1);
    for (int i = 0; i < 98; ++i) {
        a.setTimestampleStateChanged();
    }
    EXPECT_EQ(a.getRevisionCounter(), 99);
    a.setSilenced();
    EXPECT_EQ(a.getRevisionCounter(), 1);
    a.reset();
    EXPECT_EQ(a.getRevisionCounter(), 0);
}

struct EscalationDelayCase {
    const char* name;
    qint64 minutes;
    qint64 ms;
};
void PrintTo(const EscalationDelayCase& c, std::ostream* os) {
    printCaseName(c, os);
}
class EscalationDelay : public ::testing::TestWithParam<EscalationDelayCase> {};

TEST_P(EscalationDelay, MinutesBecomeMillisecondsAtMostATimersReach) {
    EXPECT_EQ(AlarmInstance::escalationDelayMs(GetParam().minutes), GetParam().ms);
}

INSTANTIATE_TEST_SUITE_P(
    Alert, EscalationDelay,
    ::testing::Values(EscalationDelayCase{"Off", 0, 0}, EscalationDelayCase{"Negative", -3, 0},
                      EscalationDelayCase{"TwoMinutes", 2, 120'000},
                      EscalationDelayCase{"LongestThatFits", 35'791, 2'147'460'000},
                      EscalationDelayCase{"FirstTooLong", 35'792, PlatformTimer::kMaxIntervalMs},
                      EscalationDelayCase{"LargestInt", 2'147'483'647,
                                          PlatformTimer::kMaxIntervalMs}));

TEST_F(AlarmTest, UnattendedAlertSoundsAgainAfterTheEscalationTime) {
    setup().AlarmIDsSetup.set(&AlarmIDs_Setup_S::escalationTime, 2);
    AlarmInstance& a = alert(ALARM_LOW_SPEED_WATER);
    a.setActive();
    time.advance(119'999);
    EXPECT_EQ(a.getEscalationCounter(), 0);
    EXPECT_EQ(a.getRevisionCounter(), 1);
    time.advance(1);
    EXPECT_EQ(a.getAlertState(), ALR_ACTIVE_UACKED);
    EXPECT_EQ(a.getEscalationCounter(), 1);
    EXPECT_EQ(a.getRevisionCounter(), 2);
    EXPECT_EQ(anySequence(nmea1.last()),
              QStringLiteral("ALF,1,1,n,%1,B,W,V,,3032,1,2,1,STW Speed Lo").arg(kTime));
    time.advance(120'000);
    EXPECT_EQ(a.getEscalationCounter(), 2);
}

TEST_F(AlarmTest, ARunningEscalationIsNotRestartedByAnotherActivation) {
    setup().AlarmIDsSetup.set(&AlarmIDs_Setup_S::escalationTime, 2);
    AlarmInstance& a = alert(ALARM_LOW_SPEED_WATER);
    a.setActive();
    time.advance(60'000);
    a.setActive();
    time.advance(60'000);
    EXPECT_EQ(a.getEscalationCounter(), 1);
}

TEST_F(AlarmTest, AcknowledgedAlertDoesNotEscalate) {
    setup().AlarmIDsSetup.set(&AlarmIDs_Setup_S::escalationTime, 2);
    AlarmInstance& a = alert(ALARM_LOW_SPEED_WATER);
    a.setActive();
    a.setAcknowledged();
    time.advance(600'000);
    EXPECT_EQ(a.getAlertState(), ALR_ACTIVE_ACKED);
    EXPECT_EQ(a.getEscalationCounter(), 0);
}

TEST_F(AlarmTest, EscalationDueWhileSilencedWaitsForTheSilenceToEnd) {
    setup().AlarmIDsSetup.set(&AlarmIDs_Setup_S::escalationTime, 1);
    AlarmInstance& a = alert(ALARM_LOW_SPEED_WATER);
    a.setActive();
    time.advance(50'000);
    a.setSilenced();
    time.advance(10'000); // escalation falls due at 60 s, the silence lasts until 80 s
    EXPECT_EQ(a.getAlertState(), ALR_ACTIVE_SILENCED);
    EXPECT_EQ(a.getEscalationCounter(), 0);
    time.advance(20'000);
    EXPECT_EQ(a.getAlertState(), ALR_ACTIVE_UACKED);
    EXPECT_EQ(a.getEscalationCounter(), 1);
}

TEST_F(AlarmTest, EscalationCountWrapsFromNineToOne) {
    setup().AlarmIDsSetup.set(&AlarmIDs_Setup_S::escalationTime, 1);
    AlarmInstance& a = alert(ALARM_LOW_SPEED_WATER);
    a.setActive();
    time.advance(9 * 60'000);
    EXPECT_EQ(a.getEscalationCounter(), 9);
    time.advance(60'000);
    EXPECT_EQ(a.getEscalationCounter(), 1);
}

TEST_F(AlarmTest, SilencedAlertSoundsAgainAfterThirtySeconds) {
    AlarmInstance& a = alert(ALARM_LOW_SPEED_WATER);
    a.setActive();
    a.setSilenced();
    time.advance(AlarmInstance::kSilenceMs - 1);
    EXPECT_EQ(a.getAlertState(), ALR_ACTIVE_SILENCED);
    time.advance(1);
    EXPECT_EQ(a.getAlertState(), ALR_ACTIVE_UACKED);
    EXPECT_EQ(a.getRevisionCounter(), 3);
}

TEST_F(AlarmTest, ChangedTextIsRecordedOnceAndActivationKeepsItsRevision) {
    AlarmInstance& a = alert(ALARM_HIGH_SPEED_WATER);
    a.setActive();
    a.setAcknowledged();
    a.setAlertText(QStringLiteral("STW Speed Hi 2"));
    EXPECT_EQ(a.getRevisionCounter(), 3);
    a.setActive();
    EXPECT_EQ(a.getRevisionCounter(), 3);
    EXPECT_EQ(a.getAlertState(), ALR_ACTIVE_UACKED);
    a.setAlertText(QStringLiteral("STW Speed Hi 2"));
    EXPECT_EQ(a.getRevisionCounter(), 3);
}

} // namespace
