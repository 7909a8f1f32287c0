#include "boardsummary.h"
#include "casename.h"
#include "nmeamessage.h"

#include <gtest/gtest.h>

namespace {

// A sentence as the unit writes it: "$", body, checksum, CR LF.
QByteArray sentence(const QString& body) {
    return NmeaMessage::addCrcToMsgBuffer(body).toLatin1();
}

// One thing the live view hears or reads, in order: a sentence on Nmea_1, a LAN datagram's text,
// bytes the unit wrote on the sensor line, the stored vessel/sensor setup file, or the end of a
// second.
struct Step {
    enum Kind { Nmea1, Lan, Sensor, StoredSetup, Second } kind;
    QByteArray data;
};

Step heard(const char* body) {
    return {Step::Nmea1, sentence(QLatin1String(body))};
}
// The same with the last checksum digit changed.
Step corrupted(const char* body) {
    QByteArray text = sentence(QLatin1String(body));
    const qsizetype digit = text.size() - 3;
    text[digit] = text[digit] == '0' ? '1' : '0';
    return {Step::Nmea1, text};
}
// A LAN line as the unit sends it, to everyone.
Step fromUnit(const QString& body) {
    return {Step::Lan, "\\s:VD0101,n:1*00\\" + sentence(body)};
}
// A LAN line as the display sends it, addressed to the unit.
Step fromDisplay(const QString& body) {
    return {Step::Lan, "\\s:RV0001,d:VD0101,n:2*00\\" + sentence(body)};
}
Step datagram(const QByteArray& text) {
    return {Step::Lan, text};
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

struct ScreenCase {
    const char* name;
    QList<Step> steps;
    QStringList expected; // lines the screen shows among its others
};
void PrintTo(const ScreenCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class LiveView : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(LiveView, ShowsWhatTheUnitLastMadeKnown) {
    BoardSummary summary;
    for (const Step& step : GetParam().steps) {
        switch (step.kind) {
        case Step::Nmea1:
            summary.addSentence(QStringLiteral("Nmea_1"), QString::fromLatin1(step.data));
            break;
        case Step::Lan:
            summary.addDatagramText(QString::fromLatin1(step.data), step.data.size());
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
    const QStringList screen =
        summary.render({QStringLiteral("Nmea_1"), QStringLiteral("LAN"), QStringLiteral("sensor")});
    for (const QString& line : GetParam().expected) {
        EXPECT_TRUE(screen.contains(line)) << qPrintable(line) << "\n  not on the screen:\n"
                                           << qPrintable(screen.join('\n'));
    }
}

const char* const kVbw = "VDVBW,3.0,-4.0,A,6.0,8.0,A,,V,,V";
const char* const kStw = "STW  long 3.00 kn  tra -4.00 kn  res 5.00 kn  status A";

INSTANTIATE_TEST_SUITE_P(
    Values, LiveView,
    ::testing::Values(
        ScreenCase{
            "every quantity",
            {heard(kVbw), heard("IIDPT,47.50,0.50,225.00"), heard("VDMTW,11.8,C"),
             heard("VDVLW,1234.5,N,12.3,N,1240.0,N,12.9,N"),
             heard("VDCUR,A,1,1,3.0,45.0,T,0.4,48.0,,T,B")},
            {kStw, "SOG  long 6.00 kn  tra 8.00 kn  res 10.00 kn  status A",
             "Depth 47.50 m below the transducer, offset 0.50 m", "Water temperature 11.8 C",
             "Water trip 12.30 nm  total 1234.50 nm   Ground trip 12.90 nm  total 1240.00 nm",
             "Current 0.40 kn towards 45.0 deg  status A"}},
        ScreenCase{"empty fields clear the values",
                   {heard(kVbw), heard("VDVBW,,,V,,,V,,V,,V"), heard("IIDPT,47.50,0.50,225.00"),
                    heard("IIDPT,,0.50,225.00")},
                   {"STW  long --  tra --  res --  status V",
                    "Depth -- below the transducer, offset 0.50 m"}},
        ScreenCase{"no resultant without the transverse speed",
                   {heard("VDVBW,5.0,,A,,,V,,V,,V")},
                   {"STW  long 5.00 kn  tra --  res --  status A"}},
        ScreenCase{"a bad checksum changes nothing",
                   {heard(kVbw), corrupted("VDVBW,9.9,0.3,A,,,V,,V,,V")},
                   {kStw}},
        ScreenCase{"the older log's sentence is not taken for VBW",
                   {heard("PNRVVBWX,7.0,0.3,A,7.1,0.4,A,,V,,V,,V")},
                   {"STW  long --  tra --  res --  status -"}}));

const char* const kSensorLost = "VDALF,1,1,0,120000.00,B,W,V,,3015,6,1,0,Sensor Comm";
const char* const kSensorLostLine = "Alert 3015.6  V  Sensor Comm";
const char* const kNoAlerts = "Alerts: none";
const char* const kAlr = "VDALR,120000.00,3015,A,V,Sensor Comm";

INSTANTIATE_TEST_SUITE_P(
    Alerts, LiveView,
    ::testing::Values(
        ScreenCase{"sensor lost", {heard(kSensorLost)}, {kSensorLostLine}},
        ScreenCase{
            "acknowledged",
            {heard(kSensorLost), heard("VDALF,1,1,1,120010.00,B,W,A,,3015,6,2,0,Sensor Comm")},
            {"Alert 3015.6  A  Sensor Comm"}},
        ScreenCase{
            "back to normal",
            {heard(kSensorLost), heard("VDALF,1,1,2,120020.00,B,W,N,,3015,6,0,0,Sensor Comm")},
            {kNoAlerts}},
        ScreenCase{"two alerts of one identifier",
                   {heard(kSensorLost), heard("VDALF,1,1,1,120000.00,B,W,S,,3015,5,1,0,Display")},
                   {kSensorLostLine, "Alert 3015.5  S  Display"}},
        ScreenCase{"a second sentence does not replace the first",
                   {heard(kSensorLost), heard("VDALF,2,2,0,120000.00,B,W,N,,3015,6,1,0,no data")},
                   {kSensorLostLine}},
        ScreenCase{"ALR active unacknowledged", {heard(kAlr)}, {"Alert ALR 3015  AV  Sensor Comm"}},
        ScreenCase{"ALR rectified and acknowledged",
                   {heard(kAlr), heard("VDALR,120030.00,3015,V,A,Sensor Comm")},
                   {kNoAlerts}},
        ScreenCase{"the empty ALR", {heard("VDALR,,,V,V,")}, {kNoAlerts}},
        ScreenCase{"a corrupted alert is ignored", {corrupted(kSensorLost)}, {kNoAlerts}}));

const char* const kMtw = "VDMTW,11.8,C";

INSTANTIATE_TEST_SUITE_P(
    Traffic, LiveView,
    ::testing::Values(ScreenCase{"each channel's last second",
                                 {heard(kVbw), heard(kMtw), corrupted(kMtw),
                                  datagram("\\s:VD0101,n:1*00\\" + sentence(kVbw) +
                                           "\\s:VD0101,n:2*00\\" + sentence(kMtw)),
                                  sensorBytes(QByteArray(120, 'x')), second()},
                                 {"Nmea_1: 3 sentences/s, 74 bytes/s, 1 bad",
                                  "   LAN: 2 sentences/s, 90 bytes/s",
                                  "sensor: 0 sentences/s, 120 bytes/s", kStw}},
                      ScreenCase{"nothing before the second ends",
                                 {heard(kMtw)},
                                 {"Nmea_1: 0 sentences/s, 0 bytes/s"}},
                      ScreenCase{"a quiet second",
                                 {heard(kMtw), second(), second()},
                                 {"Nmea_1: 0 sentences/s, 0 bytes/s"}},
                      ScreenCase{"text after a datagram's last line is bad",
                                 {datagram(sentence(kVbw) + "$VDMTW,11"), second()},
                                 {"   LAN: 1 sentences/s, 47 bytes/s, 1 bad", kStw}}));

const char* const kUnknown = "Unit: state unknown (not confirmed, no VBW)";
const char* const kAssumedRunning = "Unit: running (VBW arriving, state not confirmed)";
const char* const kStandby = "Unit: standby (confirmed by the unit)";
const char* const kRunning = "Unit: running (confirmed by the unit)";

INSTANTIATE_TEST_SUITE_P(
    Standby, LiveView,
    ::testing::Values(
        ScreenCase{"nothing heard", {}, {kUnknown}},
        ScreenCase{"VBW arriving", {heard(kVbw), second()}, {kAssumedRunning}},
        ScreenCase{"one second without VBW is not yet silence",
                   {heard(kVbw), second(), second()},
                   {kAssumedRunning}},
        ScreenCase{"VBW stopped", {heard(kVbw), second(), second(), second()}, {kUnknown}},
        ScreenCase{"confirmed standby", {fromUnit("PNRVICM,1,9,1,1")}, {kStandby}},
        ScreenCase{"a second parameter other than 1 is no confirmation",
                   {fromUnit("PNRVICM,1,9,1,0")},
                   {kUnknown}},
        ScreenCase{"a confirmation addressed to the unit is not its own",
                   {fromDisplay("PNRVICM,1,9,1,1")},
                   {kUnknown}},
        ScreenCase{
            "woken up", {fromUnit("PNRVICM,1,9,1,1"), fromUnit("PNRVICM,1,9,0,1")}, {kRunning}},
        ScreenCase{"an echo leaves the confirmed state",
                   {fromUnit("PNRVICM,1,9,0,1"), fromUnit("PNRVICM,1,9,1")},
                   {kRunning}},
        ScreenCase{"the confirmation outweighs VBW",
                   {heard(kVbw), second(), fromUnit("PNRVICM,1,9,1,1")},
                   {kStandby}}));

const QByteArray kMuteCommand("$\x13$");
const QByteArray kUnmuteCommand("$\x11$");
const QByteArray kConfiguration("$PNRVCFG,4,0,1,3,01,1110*5E\r\n");
const char* const kNotMuted = "Sensor: not muted (no mute command sent)";
const char* const kMutedOnce = "Sensor: muted (mute command sent once)";

INSTANTIATE_TEST_SUITE_P(
    Mute, LiveView,
    ::testing::Values(
        ScreenCase{"only sentences", {sensorBytes(kConfiguration)}, {kNotMuted}},
        ScreenCase{"muted", {sensorBytes(kMuteCommand)}, {kMutedOnce}},
        ScreenCase{"unmuted",
                   {sensorBytes(kMuteCommand), sensorBytes(kUnmuteCommand)},
                   {"Sensor: pinging (unmute command sent once)"}},
        ScreenCase{"between sentences",
                   {sensorBytes(kConfiguration + kMuteCommand + kConfiguration)},
                   {kMutedOnce}},
        ScreenCase{"split after the byte", {sensorBytes("$\x13"), sensorBytes("$")}, {kMutedOnce}},
        ScreenCase{"split before the byte",
                   {sensorBytes(kConfiguration + "$"), sensorBytes("\x13$")},
                   {kMutedOnce}},
        ScreenCase{"the byte alone is no command",
                   {sensorBytes("\x13"), sensorBytes("$\x13")},
                   {kNotMuted}},
        ScreenCase{"repeated until answered",
                   {sensorBytes(kMuteCommand + kMuteCommand), sensorBytes(kMuteCommand)},
                   {"Sensor: muted (mute command sent 3 times)"}},
        ScreenCase{"the other command starts the count again",
                   {sensorBytes(kMuteCommand + kMuteCommand), sensorBytes(kUnmuteCommand),
                    sensorBytes(kMuteCommand)},
                   {kMutedOnce}}));

const QByteArray kSatLogFile(R"({ "draft" : 0, "outputParams" : "SAT LOG", "stwOn" : true })");
const char* const kSatLogStored = "Output mode: SAT LOG (stored setup)";
const char* const kModeUnknown = "Output mode: unknown (no stored setup, no configuration heard)";

INSTANTIATE_TEST_SUITE_P(
    OutputMode, LiveView,
    ::testing::Values(ScreenCase{"nothing known", {}, {kModeUnknown}},
                      ScreenCase{"stored", {storedSetup(kSatLogFile)}, {kSatLogStored}},
                      ScreenCase{
                          "files without a readable mode",
                          {storedSetup(R"({ "draft" : 0 })"), storedSetup("{ \"outputParams\" : ")},
                          {kModeUnknown}},
                      ScreenCase{"code 2 is SAT LOG",
                                 {fromUnit(vesselSetup(2))},
                                 {"Output mode: SAT LOG (sent by the unit)"}},
                      ScreenCase{"a code the unit does not send",
                                 {fromUnit(vesselSetup(3))},
                                 {"Output mode: unknown code 3 (sent by the unit)"}},
                      ScreenCase{"the unit reports a change",
                                 {storedSetup(kSatLogFile), fromUnit(vesselSetup(1))},
                                 {"Output mode: SOG + STW (sent by the unit)"}},
                      ScreenCase{"the file read late is older than the report",
                                 {fromUnit(vesselSetup(0)), storedSetup(kSatLogFile)},
                                 {"Output mode: SOG Only (sent by the unit)"}},
                      ScreenCase{"the display command is not yet the mode",
                                 {storedSetup(kSatLogFile), fromDisplay(vesselSetup(0))},
                                 {kSatLogStored}},
                      ScreenCase{"a short configuration is not read",
                                 {storedSetup(kSatLogFile), fromUnit(vesselSetup(0, 18))},
                                 {kSatLogStored}}));

} // namespace
