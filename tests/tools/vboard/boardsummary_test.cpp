#include "boardsummary.h"
#include "casename.h"
#include "nmeamessage.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A sentence as the unit writes it: "$", body, checksum, CR LF.
QByteArray sentence(const QString& body) {
    return NmeaMessage::addCrcToMsgBuffer(body).toLatin1();
}

// One thing the live view hears or reads.
using Step = std::function<void(BoardSummary&)>;

// A sentence on Nmea_1.
Step heard(const QByteArray& text) {
    return [text](BoardSummary& s) {
        s.addSentence(QStringLiteral("Nmea_1"), QString::fromLatin1(text));
    };
}
Step heard(const char* body) {
    return heard(sentence(QLatin1String(body)));
}
// The same with the last checksum digit changed.
Step corrupted(const char* body) {
    QByteArray text = sentence(QLatin1String(body));
    const qsizetype digit = text.size() - 3;
    text[digit] = text[digit] == '0' ? '1' : '0';
    return heard(text);
}
// The text of a LAN datagram.
Step lan(const QByteArray& text) {
    return [text](BoardSummary& s) { s.addDatagramText(QString::fromLatin1(text), text.size()); };
}
// A LAN line as the unit sends it, to everyone.
Step fromUnit(const QString& body) {
    return lan("\\s:VD0101,n:1*00\\" + sentence(body));
}
// A LAN line as the display sends it, addressed to the unit.
Step fromDisplay(const QString& body) {
    return lan("\\s:RV0001,d:VD0101,n:2*00\\" + sentence(body));
}
// Bytes the unit wrote on the sensor line.
Step sensor(const QByteArray& bytes) {
    return [bytes](BoardSummary& s) { s.addSensorBytes(bytes); };
}
// The text of the stored vessel/sensor setup file.
Step storedSetup(const QByteArray& text) {
    return [text](BoardSummary& s) { s.addStoredVesselSetup(text); };
}
const Step kSecond = [](BoardSummary& s) { s.closeSecond(); };

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
        step(summary);
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
const char* const kDpt = "IIDPT,47.50,0.50,225.00";

const ScreenCase kValues[] = {
    {"every quantity",
     {heard(kVbw), heard(kDpt), heard("VDMTW,11.8,C"),
      heard("VDVLW,1234.5,N,12.3,N,1240.0,N,12.9,N"),
      heard("VDCUR,A,1,1,3.0,45.0,T,0.4,48.0,,T,B")},
     {kStw, "SOG  long 6.00 kn  tra 8.00 kn  res 10.00 kn  status A",
      "Depth 47.50 m below the transducer, offset 0.50 m", "Water temperature 11.8 C",
      "Water trip 12.30 nm  total 1234.50 nm   Ground trip 12.90 nm  total 1240.00 nm",
      "Current 0.40 kn towards 45.0 deg  status A"}},
    {"empty fields clear the values, and no resultant without both components",
     {heard(kVbw), heard("VDVBW,5.0,,A,,,V,,V,,V"), heard(kDpt), heard("IIDPT,,0.50,225.00")},
     {"STW  long 5.00 kn  tra --  res --  status A", "SOG  long --  tra --  res --  status V",
      "Depth -- below the transducer, offset 0.50 m"}},
    {"a bad checksum changes nothing",
     {heard(kVbw), corrupted("VDVBW,9.9,0.3,A,,,V,,V,,V")},
     {kStw}},
};
INSTANTIATE_TEST_SUITE_P(Values, LiveView, ::testing::ValuesIn(kValues));

const char* const kSensorLost = "VDALF,1,1,0,120000.00,B,W,V,,3015,6,1,0,Sensor Comm";
const char* const kSensorLostLine = "Alert 3015.6  V  Sensor Comm";
const char* const kNoAlerts = "Alerts: none";
const char* const kAlr = "VDALR,120000.00,3015,A,V,Sensor Comm";

const ScreenCase kAlerts[] = {
    {"sensor lost", {heard(kSensorLost)}, {kSensorLostLine}},
    {"back to normal",
     {heard(kSensorLost), heard("VDALF,1,1,2,120020.00,B,W,N,,3015,6,0,0,Sensor Comm")},
     {kNoAlerts}},
    {"two alerts of one identifier",
     {heard(kSensorLost), heard("VDALF,1,1,1,120000.00,B,W,S,,3015,5,1,0,Display")},
     {kSensorLostLine, "Alert 3015.5  S  Display"}},
    {"a second sentence does not replace the first",
     {heard(kSensorLost), heard("VDALF,2,2,0,120000.00,B,W,N,,3015,6,1,0,no data")},
     {kSensorLostLine}},
    {"ALR active unacknowledged", {heard(kAlr)}, {"Alert ALR 3015  AV  Sensor Comm"}},
    {"ALR rectified and acknowledged, then the empty ALR",
     {heard(kAlr), heard("VDALR,120030.00,3015,V,A,Sensor Comm"), heard("VDALR,,,V,V,")},
     {kNoAlerts}},
};
INSTANTIATE_TEST_SUITE_P(Alerts, LiveView, ::testing::ValuesIn(kAlerts));

const ScreenCase kUpgrade[] = {
    {"no upgrade", {}, {"Sensor upgrade: none reported"}},
    {"the share sent",
     {fromUnit(QStringLiteral("PNRVRUS,1,0,Waiting answer")),
      fromUnit(QStringLiteral("PNRVRUS,0,45,"))},
     {"Sensor upgrade: 45 % sent  ($PNRVRUS,0,45,*53)"}},
    {"the end",
     {fromUnit(QStringLiteral("PNRVRUS,0,100,SUCESS"))},
     {"Sensor upgrade: 100 % sent, SUCESS  ($PNRVRUS,0,100,SUCESS*63)"}},
    {"given up",
     {fromUnit(QStringLiteral("PNRVRUS,2,0,Empty file"))},
     {"Sensor upgrade: failed, Empty file  ($PNRVRUS,2,0,Empty file*13)"}},
};
INSTANTIATE_TEST_SUITE_P(Upgrade, LiveView, ::testing::ValuesIn(kUpgrade));

const char* const kMtw = "VDMTW,11.8,C";

const ScreenCase kTraffic[] = {
    {"each channel's last second",
     {heard(kVbw), heard(kMtw), corrupted(kMtw),
      lan("\\s:VD0101,n:1*00\\" + sentence(kVbw) + "\\s:VD0101,n:2*00\\" + sentence(kMtw)),
      sensor(QByteArray(120, 'x')), kSecond},
     {"Nmea_1: 3 sentences/s, 74 bytes/s, 1 bad", "   LAN: 2 sentences/s, 90 bytes/s",
      "sensor: 0 sentences/s, 120 bytes/s", kStw}},
    {"nothing before the second ends", {heard(kMtw)}, {"Nmea_1: 0 sentences/s, 0 bytes/s"}},
    {"a quiet second", {heard(kMtw), kSecond, kSecond}, {"Nmea_1: 0 sentences/s, 0 bytes/s"}},
    {"text after a datagram's last line is bad",
     {lan(sentence(kVbw) + "$VDMTW,11"), kSecond},
     {"   LAN: 1 sentences/s, 47 bytes/s, 1 bad", kStw}},
};
INSTANTIATE_TEST_SUITE_P(Traffic, LiveView, ::testing::ValuesIn(kTraffic));

const char* const kUnknown = "Unit: state unknown (not confirmed, no VBW)";
const char* const kAssumedRunning = "Unit: running (VBW arriving, state not confirmed)";
const char* const kStandby = "Unit: standby (confirmed by the unit)";
const char* const kRunning = "Unit: running (confirmed by the unit)";
const Step kConfirmedStandby = fromUnit("PNRVICM,1,9,1,1");

const ScreenCase kStandbyCases[] = {
    {"nothing heard", {}, {kUnknown}},
    {"VBW arriving", {heard(kVbw), kSecond}, {kAssumedRunning}},
    {"one second without VBW is not yet silence",
     {heard(kVbw), kSecond, kSecond},
     {kAssumedRunning}},
    {"VBW stopped", {heard(kVbw), kSecond, kSecond, kSecond}, {kUnknown}},
    {"confirmed standby", {kConfirmedStandby}, {kStandby}},
    // The display's request is addressed to the unit; a second parameter other than 1 is none.
    {"no confirmation", {fromDisplay("PNRVICM,1,9,1,1"), fromUnit("PNRVICM,1,9,1,0")}, {kUnknown}},
    {"woken up, and an echo that follows changes nothing",
     {kConfirmedStandby, fromUnit("PNRVICM,1,9,0,1"), fromUnit("PNRVICM,1,9,1")},
     {kRunning}},
    {"the confirmation outweighs VBW", {heard(kVbw), kSecond, kConfirmedStandby}, {kStandby}},
};
INSTANTIATE_TEST_SUITE_P(Standby, LiveView, ::testing::ValuesIn(kStandbyCases));

const QByteArray kConfiguration("$PNRVCFG,4,0,1,3,01,1110*5E\r\n");
const Step kMute = sensor("$\x13$");
const Step kUnmute = sensor("$\x11$");
const char* const kMutedOnce = "Sensor: muted (mute command sent once)";

const ScreenCase kMuteCases[] = {
    {"between sentences", {sensor(kConfiguration + "$\x13$" + kConfiguration)}, {kMutedOnce}},
    {"cut by reads on either side of the byte",
     {sensor(kConfiguration + "$"), sensor("\x13"), sensor("$")},
     {kMutedOnce}},
    {"the byte alone is no command",
     {sensor("\x13"), sensor("$\x13")},
     {"Sensor: not muted (no mute command sent)"}},
    {"repeated until answered",
     {sensor("$\x13$$\x13$"), kMute},
     {"Sensor: muted (mute command sent 3 times)"}},
    {"the other command starts the count again",
     {kMute, kMute, kUnmute},
     {"Sensor: pinging (unmute command sent once)"}},
};
INSTANTIATE_TEST_SUITE_P(Mute, LiveView, ::testing::ValuesIn(kMuteCases));

const Step kSatLogStored =
    storedSetup(R"({ "draft" : 0, "outputParams" : "SAT LOG", "stwOn" : true })");

const ScreenCase kOutputModeCases[] = {
    {"files without a readable mode",
     {storedSetup(R"({ "draft" : 0 })"), storedSetup(R"({ "outputParams" : )")},
     {"Output mode: unknown (no stored setup, no configuration heard)"}},
    {"a code the unit does not send",
     {fromUnit(vesselSetup(3))},
     {"Output mode: unknown code 3 (sent by the unit)"}},
    {"the unit's report outweighs the stored file, read before or after it",
     {kSatLogStored, fromUnit(vesselSetup(1)), kSatLogStored},
     {"Output mode: SOG + STW (sent by the unit)"}},
    // What the display asks for is not yet the mode.
    {"neither the display's command nor a short configuration",
     {kSatLogStored, fromDisplay(vesselSetup(0)), fromUnit(vesselSetup(0, 18))},
     {"Output mode: SAT LOG (stored setup)"}},
};
INSTANTIATE_TEST_SUITE_P(OutputMode, LiveView, ::testing::ValuesIn(kOutputModeCases));

} // namespace

const ScreenCase kSourceCases[] = {
    {"nothing confirmed",
     {fromDisplay("PNRVICM,1,7,1,0,1,1000,0,1,0,16,0")},
     {"Outputs from: the sensor (no simulation confirmed by the unit)"}},
    {"junction-box simulation confirmed",
     {fromUnit("PNRVICM,1,7,1,0,1,1000,-50,2,0,16,0")},
     {"Outputs from: junction-box simulation at 10.00 kn long, -0.50 kn tra"}},
    {"a demonstration, then the sensor again with an alarm test",
     {fromUnit("PNRVICM,1,7,1,0,3,100,100,2,0,16,0"),
      fromUnit("PNRVICM,1,7,0,1,3,100,100,2,0,16,0")},
     {"Outputs from: the sensor, alarm test running"}},
    {"a request echoed is no confirmation",
     {fromUnit("PNRVICM,1,7,1,0,3,100,100,2,0,16,0"),
      fromUnit("PNRVICM,1,7,0,0,3,100,100,1,0,16,0")},
     {"Outputs from: demo playback"}},
};
INSTANTIATE_TEST_SUITE_P(Source, LiveView, ::testing::ValuesIn(kSourceCases));
