#include "boardsummary.h"
#include "casename.h"
#include "nmeamessage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

// A sentence as the unit writes it: "$", body, checksum, CR LF.
QString sentence(const char* body) {
    return NmeaMessage::addCrcToMsgBuffer(QLatin1String(body));
}

// The same with the last checksum digit changed.
QString corrupted(const char* body) {
    QString text = sentence(body);
    const qsizetype digit = text.size() - 3;
    text[digit] = text[digit] == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
    return text;
}

using Reading = std::function<std::optional<double>(const BoardSummary&)>;

struct ValueCase {
    const char* name;
    QStringList heard; // on Nmea_1, in order
    Reading read;
    std::optional<double> expected;
};

const char* const kVbw = "VDVBW,5.2,0.3,A,5.4,0.4,A,0.3,A,0.4,A";
const char* const kVbwEmpty = "VDVBW,,,V,,,V,,V,,V";

TEST(BoardSummary, ShowsTheLatestValueOfEachQuantity) {
    const ValueCase cases[] = {
        {"water speed along the ship",
         {sentence(kVbw)},
         [](const BoardSummary& s) { return s.water().longitudinal; },
         5.2},
        {"ground speed across the ship",
         {sentence(kVbw)},
         [](const BoardSummary& s) { return s.ground().transverse; },
         0.4},
        {"resultant from both components",
         {sentence("VDVBW,3.0,-4.0,A,6.0,8.0,A,,V,,V")},
         [](const BoardSummary& s) { return s.water().resultant(); },
         5.0},
        {"resultant over ground",
         {sentence("VDVBW,3.0,-4.0,A,6.0,8.0,A,,V,,V")},
         [](const BoardSummary& s) { return s.ground().resultant(); },
         10.0},
        {"empty fields clear the speed",
         {sentence(kVbw), sentence(kVbwEmpty)},
         [](const BoardSummary& s) { return s.water().longitudinal; },
         std::nullopt},
        {"no resultant without the transverse speed",
         {sentence("VDVBW,5.0,,A,,,V,,V,,V")},
         [](const BoardSummary& s) { return s.water().resultant(); },
         std::nullopt},
        {"a bad checksum changes nothing",
         {sentence(kVbw), corrupted("VDVBW,9.9,0.3,A,,,V,,V,,V")},
         [](const BoardSummary& s) { return s.water().longitudinal; },
         5.2},
        {"depth below the transducer",
         {sentence("IIDPT,47.50,0.50,225.00")},
         [](const BoardSummary& s) { return s.depth(); },
         47.5},
        {"transducer offset",
         {sentence("IIDPT,47.50,0.50,225.00")},
         [](const BoardSummary& s) { return s.depthOffset(); },
         0.5},
        {"no bottom",
         {sentence("IIDPT,47.50,0.50,225.00"), sentence("IIDPT,,0.50,225.00")},
         [](const BoardSummary& s) { return s.depth(); },
         std::nullopt},
        {"water temperature",
         {sentence("VDMTW,11.8,C")},
         [](const BoardSummary& s) { return s.temperature(); },
         11.8},
        {"water trip",
         {sentence("VDVLW,1234.5,N,12.3,N,1240.0,N,12.9,N")},
         [](const BoardSummary& s) { return s.distances().waterTrip; },
         12.3},
        {"ground total",
         {sentence("VDVLW,1234.5,N,12.3,N,1240.0,N,12.9,N")},
         [](const BoardSummary& s) { return s.distances().groundTotal; },
         1240.0},
        {"current speed",
         {sentence("VDCUR,A,1,1,3.0,45.0,T,0.4,48.0,,T,B")},
         [](const BoardSummary& s) { return s.current().speed; },
         0.4},
        {"current direction",
         {sentence("VDCUR,A,1,1,3.0,45.0,T,0.4,48.0,,T,B")},
         [](const BoardSummary& s) { return s.current().direction; },
         45.0},
        {"the older log's sentence is not taken for VBW",
         {sentence("PNRVVBWX,7.0,0.3,A,7.1,0.4,A,,V,,V,,V")},
         [](const BoardSummary& s) { return s.water().longitudinal; },
         std::nullopt},
    };
    for (const ValueCase& c : cases) {
        BoardSummary summary;
        for (const QString& text : c.heard) {
            summary.addSentence(QStringLiteral("Nmea_1"), text);
        }
        const std::optional<double> value = c.read(summary);
        ASSERT_EQ(value.has_value(), c.expected.has_value()) << c.name;
        if (value) {
            EXPECT_NEAR(*value, *c.expected, 1e-4) << c.name;
        }
    }
}

struct AlertCase {
    const char* name;
    QStringList heard;
    QMap<QString, QString> expected; // key -> state
};

const char* const kSensorLost = "VDALF,1,1,0,120000.00,B,W,V,,3015,6,1,0,Sensor Comm";

TEST(BoardSummary, ListsTheAlertsThatAreNotBackToNormal) {
    const AlertCase cases[] = {
        {"sensor lost", {sentence(kSensorLost)}, {{"3015.6", "V"}}},
        {"acknowledged",
         {sentence(kSensorLost), sentence("VDALF,1,1,1,120010.00,B,W,A,,3015,6,2,0,Sensor Comm")},
         {{"3015.6", "A"}}},
        {"back to normal",
         {sentence(kSensorLost), sentence("VDALF,1,1,2,120020.00,B,W,N,,3015,6,0,0,Sensor Comm")},
         {}},
        {"two alerts of one identifier",
         {sentence(kSensorLost), sentence("VDALF,1,1,1,120000.00,B,W,S,,3015,5,1,0,Display Comm")},
         {{"3015.6", "V"}, {"3015.5", "S"}}},
        {"a second sentence does not replace the first",
         {sentence(kSensorLost), sentence("VDALF,2,2,0,120000.00,B,W,N,,3015,6,1,0,no data")},
         {{"3015.6", "V"}}},
        {"ALR active unacknowledged",
         {sentence("VDALR,120000.00,3015,A,V,Sensor Comm")},
         {{"ALR 3015", "AV"}}},
        {"ALR rectified and acknowledged",
         {sentence("VDALR,120000.00,3015,A,V,Sensor Comm"),
          sentence("VDALR,120030.00,3015,V,A,Sensor Comm")},
         {}},
        {"the empty ALR", {sentence("VDALR,,,V,V,")}, {}},
        {"a corrupted alert is ignored", {corrupted(kSensorLost)}, {}},
    };
    for (const AlertCase& c : cases) {
        BoardSummary summary;
        for (const QString& text : c.heard) {
            summary.addSentence(QStringLiteral("Nmea_2"), text);
        }
        QMap<QString, QString> states;
        const QMap<QString, BoardSummary::Alert> active = summary.activeAlerts();
        for (auto it = active.cbegin(); it != active.cend(); ++it) {
            states.insert(it.key(), it.value().state);
        }
        EXPECT_EQ(states, c.expected) << c.name;
    }
}

TEST(BoardSummary, CountsEachChannelsSentencesAndBytesPerSecond) {
    BoardSummary summary;
    const QString vbw = sentence(kVbw);
    const QString mtw = sentence("VDMTW,11.8,C");
    summary.addSentence(QStringLiteral("Nmea_1"), vbw);
    summary.addSentence(QStringLiteral("Nmea_1"), mtw);
    summary.addSentence(QStringLiteral("Nmea_1"), corrupted("VDMTW,11.9,C"));
    const QString datagram =
        QStringLiteral("\\s:VD0101,n:1*00\\") + vbw + QStringLiteral("\\s:VD0101,n:2*00\\") + mtw;
    summary.addDatagramText(datagram, 6 + datagram.size());
    summary.addSensorBytes(QByteArray(120, 'x'));
    EXPECT_EQ(summary.lastSecond(QStringLiteral("Nmea_1")).sentences, 0);

    summary.closeSecond();
    const BoardSummary::Traffic nmea1 = summary.lastSecond(QStringLiteral("Nmea_1"));
    EXPECT_EQ(nmea1.sentences, 3);
    EXPECT_EQ(nmea1.bytes, vbw.size() + 2 * mtw.size());
    EXPECT_EQ(nmea1.bad, 1);
    const BoardSummary::Traffic lan = summary.lastSecond(QStringLiteral("LAN"));
    EXPECT_EQ(lan.sentences, 2);
    EXPECT_EQ(lan.bytes, 6 + datagram.size());
    EXPECT_EQ(lan.bad, 0);
    EXPECT_EQ(summary.lastSecond(QStringLiteral("sensor")).bytes, 120);
    EXPECT_NEAR(summary.temperature().value_or(0.0), 11.8, 1e-4);

    summary.closeSecond();
    EXPECT_EQ(summary.lastSecond(QStringLiteral("Nmea_1")).sentences, 0);
    EXPECT_EQ(summary.lastSecond(QStringLiteral("LAN")).bytes, 0);
}

TEST(BoardSummary, ADatagramWithTextAfterItsLastLineIsCountedBad) {
    BoardSummary summary;
    summary.addDatagramText(sentence(kVbw) + QStringLiteral("$VDMTW,11"), 80);
    summary.closeSecond();
    EXPECT_EQ(summary.lastSecond(QStringLiteral("LAN")).sentences, 1);
    EXPECT_EQ(summary.lastSecond(QStringLiteral("LAN")).bad, 1);
    EXPECT_NEAR(summary.water().longitudinal.value_or(0.0), 5.2, 1e-4);
}

TEST(BoardSummary, TheScreenMarksMissingValuesAndNamesActiveAlerts) {
    BoardSummary summary;
    summary.addSentence(QStringLiteral("Nmea_1"), sentence(kVbwEmpty));
    summary.addSentence(QStringLiteral("Nmea_1"), sentence(kSensorLost));
    summary.closeSecond();
    const QStringList screen = summary.render({QStringLiteral("Nmea_1")});
    EXPECT_TRUE(screen.first().startsWith(QStringLiteral("STW  long --  tra --  res --  status V")))
        << qPrintable(screen.join('\n'));
    EXPECT_TRUE(screen.contains(QStringLiteral("Alert 3015.6  V  Sensor Comm")))
        << qPrintable(screen.join('\n'));
    EXPECT_TRUE(screen.last().contains(QStringLiteral("2 sentences/s")))
        << qPrintable(screen.join('\n'));
}

// One thing heard or read, in order: a LAN datagram's text, a sentence on Nmea_1, bytes the unit
// wrote on the sensor line, the stored vessel/sensor setup file, or the end of a second.
struct Step {
    enum Kind { Lan, Nmea1, Sensor, StoredSetup, Second } kind;
    QByteArray data;
};

// A LAN line as the unit sends it, to everyone.
Step fromUnit(const QString& body) {
    return {Step::Lan, ("\\s:VD0101,n:1*00\\" + sentence(qPrintable(body))).toLatin1()};
}
// A LAN line as the display sends it, addressed to the unit.
Step fromDisplay(const QString& body) {
    return {Step::Lan, ("\\s:RV0001,d:VD0101,n:2*00\\" + sentence(qPrintable(body))).toLatin1()};
}
Step vbw() {
    return {Step::Nmea1, sentence(kVbw).toLatin1()};
}
Step sensorBytes(const QByteArray& bytes) {
    return {Step::Sensor, bytes};
}
Step storedSetup(const QByteArray& text) {
    return {Step::StoredSetup, text};
}
Step second() {
    return {Step::Second, {}};
}

// The vessel/sensor configuration with the output mode code at its place (parameter 17).
QString vesselSetup(int outputMode, int parameters = 21) {
    QStringList fields{QStringLiteral("PNRVICM"), QStringLiteral("1"), QStringLiteral("11")};
    for (int i = 0; i < parameters; ++i) {
        fields << QString::number(i == 17 ? outputMode : 10 + i);
    }
    return fields.join(QLatin1Char(','));
}

struct StateCase {
    const char* name;
    QList<Step> steps;
    const char* expected; // the screen's line that starts as this one does
};
void PrintTo(const StateCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class BoardSummaryState : public ::testing::TestWithParam<StateCase> {};

TEST_P(BoardSummaryState, ShowsWhatTheUnitLastMadeKnown) {
    const StateCase& c = GetParam();
    BoardSummary summary;
    for (const Step& step : c.steps) {
        switch (step.kind) {
        case Step::Lan:
            summary.addDatagramText(QString::fromLatin1(step.data), step.data.size());
            break;
        case Step::Nmea1:
            summary.addSentence(QStringLiteral("Nmea_1"), QString::fromLatin1(step.data));
            break;
        case Step::Sensor:
            summary.addSensorBytes(step.data);
            break;
        case Step::StoredSetup:
            summary.addStoredVesselSetup(step.data);
            break;
        case Step::Second:
            summary.closeSecond();
            break;
        }
    }
    const QString expected = QString::fromLatin1(c.expected);
    const QString label = expected.section(QLatin1Char(':'), 0, 0) + QLatin1Char(':');
    const QStringList screen = summary.render({});
    const auto line = std::find_if(screen.cbegin(), screen.cend(),
                                   [&label](const QString& l) { return l.startsWith(label); });
    ASSERT_NE(line, screen.cend()) << qPrintable(screen.join('\n'));
    EXPECT_EQ(*line, expected);
}

const char* const kUnknown = "Unit: state unknown (not confirmed, no VBW)";
const char* const kAssumedRunning = "Unit: running (VBW arriving, state not confirmed)";
const char* const kStandby = "Unit: standby (confirmed by the unit)";
const char* const kRunning = "Unit: running (confirmed by the unit)";

INSTANTIATE_TEST_SUITE_P(
    Standby, BoardSummaryState,
    ::testing::Values(
        StateCase{"nothing_heard", {}, kUnknown},
        StateCase{"VBW_arriving", {vbw(), second()}, kAssumedRunning},
        StateCase{"one_second_without_VBW_is_not_yet_silence",
                  {vbw(), second(), second()},
                  kAssumedRunning},
        StateCase{"VBW_stopped", {vbw(), second(), second(), second()}, kUnknown},
        StateCase{"confirmed_standby", {fromUnit("PNRVICM,1,9,1,1")}, kStandby},
        StateCase{"a_second_parameter_other_than_1_is_no_confirmation",
                  {fromUnit("PNRVICM,1,9,1,0")},
                  kUnknown},
        StateCase{"a_confirmation_addressed_to_the_unit_is_not_its_own",
                  {fromDisplay("PNRVICM,1,9,1,1")},
                  kUnknown},
        StateCase{"woken_up", {fromUnit("PNRVICM,1,9,1,1"), fromUnit("PNRVICM,1,9,0,1")}, kRunning},
        StateCase{"an_echo_leaves_the_confirmed_state",
                  {fromUnit("PNRVICM,1,9,0,1"), fromUnit("PNRVICM,1,9,1")},
                  kRunning},
        StateCase{"the_confirmation_outweighs_VBW",
                  {vbw(), second(), fromUnit("PNRVICM,1,9,1,1")},
                  kStandby}));

const QByteArray kMuteCommand("$\x13$");
const QByteArray kUnmuteCommand("$\x11$");
const QByteArray kConfiguration("$PNRVCFG,4,0,1,3,01,1110*5E\r\n");
const char* const kMutedOnce = "Sensor: muted (mute command sent once)";

INSTANTIATE_TEST_SUITE_P(
    Mute, BoardSummaryState,
    ::testing::Values(
        StateCase{"only_sentences",
                  {sensorBytes(kConfiguration)},
                  "Sensor: not muted (no mute command sent)"},
        StateCase{"muted", {sensorBytes(kMuteCommand)}, kMutedOnce},
        StateCase{"unmuted",
                  {sensorBytes(kMuteCommand), sensorBytes(kUnmuteCommand)},
                  "Sensor: pinging (unmute command sent once)"},
        StateCase{"between_sentences",
                  {sensorBytes(kConfiguration + kMuteCommand + kConfiguration)},
                  kMutedOnce},
        StateCase{"split_after_the_byte", {sensorBytes("$\x13"), sensorBytes("$")}, kMutedOnce},
        StateCase{"split_before_the_byte",
                  {sensorBytes(kConfiguration + "$"), sensorBytes("\x13$")},
                  kMutedOnce},
        StateCase{"the_byte_alone_is_no_command",
                  {sensorBytes("\x13"), sensorBytes("$\x13")},
                  "Sensor: not muted (no mute command sent)"},
        StateCase{"repeated_until_answered",
                  {sensorBytes(kMuteCommand + kMuteCommand), sensorBytes(kMuteCommand)},
                  "Sensor: muted (mute command sent 3 times)"},
        StateCase{"the_other_command_starts_the_count_again",
                  {sensorBytes(kMuteCommand + kMuteCommand), sensorBytes(kUnmuteCommand),
                   sensorBytes(kMuteCommand)},
                  kMutedOnce}));

const QByteArray kSatLogFile(R"({ "draft" : 0, "outputParams" : "SAT LOG", "stwOn" : true })");
const char* const kSatLogStored = "Output mode: SAT LOG (stored setup)";

INSTANTIATE_TEST_SUITE_P(
    OutputMode, BoardSummaryState,
    ::testing::Values(
        StateCase{
            "nothing_known", {}, "Output mode: unknown (no stored setup, no configuration heard)"},
        StateCase{"stored", {storedSetup(kSatLogFile)}, kSatLogStored},
        StateCase{"files_without_a_readable_mode",
                  {storedSetup(R"({ "draft" : 0 })"), storedSetup("{ \"outputParams\" : ")},
                  "Output mode: unknown (no stored setup, no configuration heard)"},
        StateCase{"code_2_is_SAT_LOG",
                  {fromUnit(vesselSetup(2))},
                  "Output mode: SAT LOG (sent by the unit)"},
        StateCase{"a_code_the_unit_does_not_send",
                  {fromUnit(vesselSetup(3))},
                  "Output mode: unknown code 3 (sent by the unit)"},
        StateCase{"the_unit_reports_a_change",
                  {storedSetup(kSatLogFile), fromUnit(vesselSetup(1))},
                  "Output mode: SOG + STW (sent by the unit)"},
        StateCase{"the_file_read_late_is_older_than_the_report",
                  {fromUnit(vesselSetup(0)), storedSetup(kSatLogFile)},
                  "Output mode: SOG Only (sent by the unit)"},
        StateCase{"the_display_command_is_not_yet_the_mode",
                  {storedSetup(kSatLogFile), fromDisplay(vesselSetup(0))},
                  kSatLogStored},
        StateCase{"a_short_configuration_is_not_read",
                  {storedSetup(kSatLogFile), fromUnit(vesselSetup(0, 18))},
                  kSatLogStored}));

} // namespace
