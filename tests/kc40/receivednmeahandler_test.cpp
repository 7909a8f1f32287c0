#include "receivednmeahandler.h"

#include "casename.h"
#include "displaycommands.h"
#include "errorcounter.h"
#include "freshunit.h"
#include "heading.h"
#include "msgepv.h"
#include "msgerrorcode.h"
#include "msgerrortable.h"
#include "msgicm.h"
#include "nmeaparser.h"
#include "platform.h"
#include "systemsetup.h"
#include "systemvariables.h"
#include "utc_time.h"
#include "vq2_handler.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>

namespace {

std::atomic<qint64> g_now{1'700'000'000'000};

qint64 fakeNow() {
    return g_now.load();
}

// "$GPVTG,..." -> the full sentence with its checksum and line end.
QString withChecksum(const QString& body) {
    quint8 sum = 0;
    for (QChar c : body.mid(1)) {
        sum ^= static_cast<quint8>(c.toLatin1());
    }
    return body + QStringLiteral("*%1\r\n").arg(sum, 2, 16, QLatin1Char('0')).toUpper();
}

NmeaMessagePtr parsed(const QString& body) {
    return NmeaMessagePtr(NmeaParser::parse(withChecksum(body)));
}

SystemVariables* store() {
    return SystemVariables::getInstance();
}

// Everything a received sentence can write; cleared so that each test starts from nothing.
void forgetNavigation() {
    SystemVariables* sv = store();
    for (varFloat* v : {&sv->trackDegreesTrue_GPS, &sv->rateOfTurn, &sv->headingTrue_Gyro,
                        &sv->headingTrue_SatLog, &sv->headingTrue_MagCompass,
                        &sv->headingTrue_Gyro_THS, &sv->headingTrue_SatLog_THS,
                        &sv->headingTrue_MagCompass_THS, &sv->longSpeedToGround_GPS_VTG,
                        &sv->tranSpeedToGround_GPS_VTG, &sv->resSpeedToGround_GPS_VTG,
                        &sv->longSpeedToGround_GPS_VBW, &sv->tranSpeedToGround_GPS_VBW,
                        &sv->resSpeedToGround_GPS_VBW, &sv->longSpeedToGround_GPS_RMC,
                        &sv->tranSpeedToGround_GPS_RMC, &sv->resSpeedToGround_GPS_RMC}) {
        v->setValidity(false);
    }
    for (varString* v : {&sv->utcTime_ZDG, &sv->utcTime_ZDA, &sv->utcTime_GGA, &sv->utcTime_RMC}) {
        v->setValidity(false);
    }
    for (varNmeaMsg* v : {&sv->msgGGA, &sv->msgGLL, &sv->msgDPT_SD, &sv->msgDAT4}) {
        v->setValidity(false);
    }
    sv->bSOG_fromGPS = false;
}

using ConfiguredRoot = FreshUnitRoot;

// Records what the handler asks of the rest of the unit, one short text per signal.
class ReceivedNmeaHandlerTest : public ::testing::Test {
protected:
    ReceivedNmeaHandlerTest() {
        Clock::setSource(&fakeNow);
        forgetNavigation();
        handler.setVq2Handler(&vq2);
        handler.setSensorValidQuery([this] { return sensorValid; });
        handler.setDatrEnabledQuery([this] { return datrEnabled; });
        record();
    }
    ~ReceivedNmeaHandlerTest() override { Clock::setSource(nullptr); }

    void record() {
        using H = ReceivedNmeaHandler;
        auto sentence = [this](const char* what) {
            return [this, what](const NmeaMessagePtr& m) {
                events << QStringLiteral("%1:%2").arg(QLatin1String(what), m->fullType());
                sent << m;
            };
        };
        auto flag = [this](const char* what) {
            return [this, what](bool on) {
                events << QStringLiteral("%1:%2").arg(QLatin1String(what)).arg(int(on));
            };
        };
        auto plain = [this](const char* what) {
            return [this, what] { events << QLatin1String(what); };
        };
        QObject::connect(&handler, &H::sigSendSingleOnUdpOutput, sentence("udp"));
        QObject::connect(&handler, &H::sigSendOnNmeaOutput,
                         [this](int channel, const NmeaMessagePtr& m) {
                             events << QStringLiteral("nmea%1:%2").arg(channel).arg(m->fullType());
                             sent << m;
                         });
        QObject::connect(&handler, &H::sigSystemSetupMessage, sentence("setup"));
        QObject::connect(&handler, &H::sigAuxSetupMessage, sentence("aux"));
        QObject::connect(&handler, &H::sigCalibrationCommandReceived, sentence("calibration"));
        QObject::connect(&handler, &H::sigHeartBeatReceived, sentence("hbt"));
        QObject::connect(&handler, &H::sigAckReceived, sentence("ack"));
        QObject::connect(&handler, &H::sigAcnReceived, sentence("acn"));
        QObject::connect(&handler, &H::sigAlrsReceived, sentence("alrs"));
        QObject::connect(&handler, &H::sigSendConfigurationToDisplay, flag("configToDisplay"));
        QObject::connect(&handler, &H::sigSynchRequest, flag("mute"));
        QObject::connect(&handler, &H::sigSynchConfirmed, flag("muted"));
        QObject::connect(&handler, &H::sigSensorDataReceived, flag("sensorData"));
        QObject::connect(&handler, &H::sigForwReverseChanged, flag("reverse"));
        QObject::connect(&handler, &H::sigSendConfigurationToServiceSoftware,
                         plain("configToService"));
        QObject::connect(&handler, &H::sigFittnesPulseReceived, plain("fitness"));
        QObject::connect(&handler, &H::sigUserAcknowledge, plain("userAck"));
        QObject::connect(&handler, &H::sigUserSilence, plain("userSilence"));
        QObject::connect(&handler, &H::sigSendOutputMessages, plain("outputs"));
        QObject::connect(&handler, &H::sigSendSRP, plain("srp"));
        QObject::connect(&handler, &H::sigDisplayHeartBeatReceived,
                         [this](const QString& id, const QString& mac) {
                             events << QStringLiteral("displayHbt:%1,%2").arg(id, mac);
                         });
        QObject::connect(&handler, &H::sigDiagnosticsTest,
                         [this](const QString& test, const QString& command) {
                             events << QStringLiteral("diagnostics:%1,%2").arg(test, command);
                         });
        QObject::connect(&handler, &H::sigMacAddress,
                         [this](const QString& iface, const QString& mac) {
                             events << QStringLiteral("mac:%1,%2").arg(iface, mac);
                         });
        QObject::connect(&handler, &H::sigSetTripTotalVQ1, [this](float trip, float total) {
            events << QStringLiteral("vq1:%1,%2").arg(trip).arg(total);
        });
    }

    void receive(const QString& body, int source = ReceivedNmeaHandler::kSourceNmea1) {
        g_now += 100;
        handler.handleReceived(parsed(body), source);
    }

    ConfiguredRoot root;
    VQ2_Handler vq2;
    ReceivedNmeaHandler handler;
    bool sensorValid = true;
    bool datrEnabled = false;
    QStringList events;
    QList<NmeaMessagePtr> sent;
};

// --- GPS speed and course -------------------------------------------------------------------

struct GpsCase {
    const char* name;
    QStringList sentences;
    float sog;
    float longitudinal;
    float transverse;
    float course;
};
void PrintTo(const GpsCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class GpsInputs : public ReceivedNmeaHandlerTest, public ::testing::WithParamInterface<GpsCase> {};

void expectNear(float actual, float expected, const char* what) {
    if (expected == kAbsentFloat) {
        EXPECT_EQ(actual, kAbsentFloat) << what;
    } else {
        EXPECT_NEAR(actual, expected, 1e-3f) << what;
    }
}

TEST_P(GpsInputs, SpeedOverGroundFromTheTrustedSentence) {
    const GpsCase& c = GetParam();
    for (const QString& sentence : c.sentences) {
        receive(sentence);
    }
    SystemVariables* sv = store();
    expectNear(sv->getSOG_R_GPS(), c.sog, "resultant");
    expectNear(sv->getSOG_L_GPS(), c.longitudinal, "longitudinal");
    expectNear(sv->getSOG_T_GPS(), c.transverse, "transverse");
    expectNear(sv->trackDegreesTrue_GPS.getValue(), c.course, "course");
}

constexpr float kNone = kAbsentFloat;

INSTANTIATE_TEST_SUITE_P(
    Table, GpsInputs,
    ::testing::Values(
        GpsCase{"vtg_on_gyro_heading",
                {"$HEHDT,45.0,T", "$GPVTG,45.0,T,,M,10.0,N,18.5,K,A"},
                10.0f,
                10.0f,
                0.0f,
                45.0f},
        GpsCase{"vtg_drifting_to_starboard",
                {"$HEHDT,0.0,T", "$GPVTG,90.0,T,,M,10.0,N,18.5,K,A"},
                10.0f,
                0.0f,
                10.0f,
                90.0f},
        GpsCase{"vtg_without_heading_is_all_ahead",
                {"$GPVTG,90.0,T,,M,10.0,N,18.5,K,A"},
                10.0f,
                10.0f,
                0.0f,
                90.0f},
        GpsCase{"vtg_mode_n_from_gps_accepted",
                {"$GPVTG,10.0,T,,M,4.0,N,7.4,K,N"},
                4.0f,
                4.0f,
                0.0f,
                10.0f},
        GpsCase{"vtg_mode_n_from_integrated_instrument_ignored",
                {"$IIVTG,10.0,T,,M,4.0,N,7.4,K,N"},
                kNone,
                kNone,
                kNone,
                kNone},
        GpsCase{"vtg_beats_rmc",
                {"$GPRMC,120000.00,A,5400.0,N,01000.0,E,6.0,0.0,010126,,",
                 "$GPVTG,0.0,T,,M,8.0,N,14.8,K,A"},
                8.0f,
                8.0f,
                0.0f,
                0.0f},
        GpsCase{"rmc_alone",
                {"$GPRMC,120000.00,A,5400.0,N,01000.0,E,6.0,0.0,010126,,"},
                6.0f,
                6.0f,
                0.0f,
                kNone},
        GpsCase{"rmc_flagged_void_ignored",
                {"$GPRMC,120000.00,V,5400.0,N,01000.0,E,6.0,0.0,010126,,"},
                kNone,
                kNone,
                kNone,
                kNone},
        GpsCase{"vbw_ground_valid", {"$VDVBW,,,V,4.0,3.0,A,,V,,V"}, 5.0f, 4.0f, 3.0f, kNone},
        GpsCase{"vbw_ground_void_from_instrument_ignored",
                {"$VDVBW,,,V,4.0,3.0,V,,V,,V"},
                kNone,
                kNone,
                kNone,
                kNone},
        GpsCase{"vbw_from_gps_counts_whatever_its_status",
                {"$GPVBW,,,V,4.0,3.0,V,,V,,V"},
                5.0f,
                4.0f,
                3.0f,
                kNone},
        GpsCase{"vbw_course_wraps_past_north",
                {"$HEHDT,350.0,T", "$VDVBW,,,V,1.0,1.0,A,,V,,V"},
                std::sqrt(2.0f),
                1.0f,
                1.0f,
                35.0f},
        GpsCase{"vbw_course_astern_to_port_stays_positive",
                {"$HEHDT,10.0,T", "$VDVBW,,,V,-1.0,-1.0,A,,V,,V"},
                std::sqrt(2.0f),
                -1.0f,
                -1.0f,
                235.0f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReceivedNmeaHandlerTest, LostSensorHandsGroundSpeedToGps) {
    sensorValid = false;
    receive(QStringLiteral("$GPVTG,0.0,T,,M,7.0,N,13.0,K,A"));
    EXPECT_TRUE(store()->bSOG_fromGPS);
    EXPECT_NEAR(store()->vq2data.sogResBoatCallibrated.getValue(), 7.0f, 1e-3f);
}

TEST_F(ReceivedNmeaHandlerTest, SatelliteLogKeepsItsOwnGroundSpeedPath) {
    sensorValid = false;
    SystemSetup::getInstance()->Vq2Setup.set(&VQ2_Setup_S::outputParams, VQ2_Setup::kSatLog);
    receive(QStringLiteral("$GPVTG,0.0,T,,M,7.0,N,13.0,K,A"));
    EXPECT_FALSE(store()->bSOG_fromGPS);
}

// --- heading, rate of turn, time, position, depth ------------------------------------------

struct StoreCase {
    const char* name;
    QString sentence;
    varFloat SystemVariables::*variable;
    float expected;
};
void PrintTo(const StoreCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class HeadingInputs : public ReceivedNmeaHandlerTest,
                      public ::testing::WithParamInterface<StoreCase> {};

TEST_P(HeadingInputs, WritesTheVariableOfItsSource) {
    const StoreCase& c = GetParam();
    receive(c.sentence);
    expectNear((store()->*c.variable).getValue(), c.expected, c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Table, HeadingInputs,
    ::testing::Values(
        StoreCase{"hdt_gyro", "$HEHDT,123.4,T", &SystemVariables::headingTrue_Gyro, 123.4f},
        StoreCase{"hdt_satellite", "$GNHDT,12.0,T", &SystemVariables::headingTrue_SatLog, 12.0f},
        StoreCase{"hdt_satellite_not_gyro", "$GNHDT,12.0,T", &SystemVariables::headingTrue_Gyro,
                  kNone},
        StoreCase{"hdt_magnetic_reference_ignored", "$HEHDT,12.0,M",
                  &SystemVariables::headingTrue_Gyro, kNone},
        StoreCase{"ths_gyro_autonomous", "$HETHS,200.0,A", &SystemVariables::headingTrue_Gyro_THS,
                  200.0f},
        StoreCase{"ths_invalid_mode_ignored", "$HETHS,200.0,V",
                  &SystemVariables::headingTrue_Gyro_THS, kNone},
        StoreCase{"hdg_east_variation_wraps", "$HCHDG,355.0,,,10.0,E",
                  &SystemVariables::headingTrue_MagCompass, 5.0f},
        StoreCase{"hdg_west_variation_wraps", "$HCHDG,5.0,,,10.0,W",
                  &SystemVariables::headingTrue_MagCompass, 355.0f},
        StoreCase{"hdg_without_variation", "$HCHDG,90.0,,,,",
                  &SystemVariables::headingTrue_MagCompass, 90.0f},
        StoreCase{"hdg_from_other_talker_ignored", "$IIHDG,90.0,,,,",
                  &SystemVariables::headingTrue_MagCompass, kNone},
        StoreCase{"rot_valid", "$TIROT,-12.5,A", &SystemVariables::rateOfTurn, -12.5f},
        StoreCase{"rot_invalid_ignored", "$TIROT,-12.5,V", &SystemVariables::rateOfTurn, kNone}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReceivedNmeaHandlerTest, GyroHeadingWinsUntilItAgesOut) {
    receive(QStringLiteral("$HEHDT,100.0,T"));
    for (int tick = 0; tick <= 10; ++tick) {
        receive(QStringLiteral("$GPHDT,200.0,T"));
        EXPECT_EQ(Heading::getHeadingTrue().getValue(), tick < 10 ? 100.0f : 200.0f) << tick;
        store()->slotTimeCounter();
    }
}

struct TimeCase {
    const char* name;
    QStringList sentences;
    QString time;
};
void PrintTo(const TimeCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class TimeInputs : public ReceivedNmeaHandlerTest,
                   public ::testing::WithParamInterface<TimeCase> {};

TEST_P(TimeInputs, TimeOfTheBestSource) {
    for (const QString& sentence : GetParam().sentences) {
        receive(sentence);
    }
    EXPECT_EQ(UTC_Time::getTimeStample(), GetParam().time);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TimeInputs,
    ::testing::Values(TimeCase{"zda", {"$GPZDA,101010.00,01,01,2026,00,00"}, "101010.00"},
                      TimeCase{"ztg_before_zda",
                               {"$GPZDA,101010.00,01,01,2026,00,00", "$GPZTG,111111.00,,WP"},
                               "111111.00"},
                      TimeCase{"gga_with_fix",
                               {"$GPGGA,121212.00,5400.0,N,01000.0,E,1,8,1.0,10.0,M,40.0,M"},
                               "121212.00"},
                      TimeCase{"gga_without_fix_ignored",
                               {"$GPGGA,121212.00,5400.0,N,01000.0,E,0,8,1.0,10.0,M,40.0,M"},
                               ""},
                      TimeCase{"rmc_void_still_tells_time",
                               {"$GPRMC,131313.00,V,5400.0,N,01000.0,E,6.0,0.0,010126,,"},
                               "131313.00"}),
    [](const auto& info) { return std::string(info.param.name); });

struct SentenceStoreCase {
    const char* name;
    QString sentence;
    varNmeaMsg SystemVariables::*variable;
    bool stored;
};
void PrintTo(const SentenceStoreCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class SentenceInputs : public ReceivedNmeaHandlerTest,
                       public ::testing::WithParamInterface<SentenceStoreCase> {};

TEST_P(SentenceInputs, KeepsTheLastTrustedSentence) {
    receive(GetParam().sentence);
    EXPECT_EQ((store()->*GetParam().variable).getValidity(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SentenceInputs,
    ::testing::Values(SentenceStoreCase{"gll_valid", "$GPGLL,5400.0,N,01000.0,E,101010.00,A,A",
                                        &SystemVariables::msgGLL, true},
                      SentenceStoreCase{"gll_void", "$GPGLL,5400.0,N,01000.0,E,101010.00,V,A",
                                        &SystemVariables::msgGLL, false},
                      SentenceStoreCase{"gll_mode_n", "$GPGLL,5400.0,N,01000.0,E,101010.00,A,N",
                                        &SystemVariables::msgGLL, false},
                      SentenceStoreCase{"gga_with_fix",
                                        "$GPGGA,121212.00,5400.0,N,01000.0,E,2,8,1.0,10.0,M,40.0,M",
                                        &SystemVariables::msgGGA, true},
                      SentenceStoreCase{"gga_empty_fix",
                                        "$GPGGA,121212.00,5400.0,N,01000.0,E,,8,1.0,10.0,M,40.0,M",
                                        &SystemVariables::msgGGA, false},
                      SentenceStoreCase{"dpt_other_sounder", "$SDDPT,12.5,0.5,100",
                                        &SystemVariables::msgDPT_SD, true},
                      SentenceStoreCase{"dpt_our_own_echo", "$VDDPT,12.5,0.5,100",
                                        &SystemVariables::msgDPT_SD, false}),
    [](const auto& info) { return std::string(info.param.name); });

// --- entry: standby and damaged sentences ---------------------------------------------------

TEST_F(ReceivedNmeaHandlerTest, InStandbyOnlyStandbyCommandsPass) {
    SystemSetup::getInstance()->confirmSystemStandby(true);
    receive(QStringLiteral("$PNRVICM,1,20,1"));
    receive(QStringLiteral("$HEHDT,45.0,T"));
    receive(QStringLiteral("$PNRVICM,1,9,0"));
    receive(QStringLiteral("$PNRVICM,1,99,0"));
    EXPECT_EQ(events, QStringList({"setup:ICM9", "setup:ICM99"}));
    EXPECT_FALSE(store()->headingTrue_Gyro.getValidity());
}

struct ErrorCase {
    const char* name;
    QString text;
    bool standby;
    QList<int> reported;
};
void PrintTo(const ErrorCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class DamagedSentences : public ReceivedNmeaHandlerTest,
                         public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(DamagedSentences, AreCountedByTheirFaultAndDropped) {
    const ErrorCase& c = GetParam();
    QList<int> reported;
    QObject::connect(&ReceivedNmeaHandler::errorCounter, &NmeaErrorCounter::sigError, &handler,
                     [&reported](int id) { reported << id; });
    if (c.standby) {
        SystemSetup::getInstance()->confirmSystemStandby(true);
    }
    handler.handleReceived(NmeaMessagePtr(NmeaParser::parse(c.text)), 1);
    EXPECT_EQ(reported, c.reported);
    EXPECT_TRUE(events.isEmpty()) << events.join(QLatin1Char(' ')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Table, DamagedSentences,
    ::testing::Values(
        ErrorCase{"bad_checksum", "$PNRVICM,1,20,1*00\r\n", false, {76}},
        ErrorCase{"bad_field", withChecksum("$PNRVEPV,X,VD,0101,50,1"), false, {76}},
        ErrorCase{"too_long", "$GPTXT," + QString(90, QLatin1Char('A')) + "*00\r\n", false, {74}},
        ErrorCase{"in_standby_not_counted", "$PNRVICM,1,20,1*00\r\n", true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// --- commands: what each sentence asks of the unit ------------------------------------------

struct CommandCase {
    const char* name;
    QString sentence;
    int source;
    QStringList events;
};
void PrintTo(const CommandCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class Commands : public ReceivedNmeaHandlerTest,
                 public ::testing::WithParamInterface<CommandCase> {};

TEST_P(Commands, ReachTheirReceivers) {
    const CommandCase& c = GetParam();
    receive(c.sentence, c.source);
    EXPECT_EQ(events, c.events);
}

INSTANTIATE_TEST_SUITE_P(
    Icm, Commands,
    ::testing::Values(
        CommandCase{"aux_setup", "$PNRVICM,1,14,1,2", 0, {"aux:ICM14"}},
        CommandCase{"docking_dropped", "$PNRVICM,1,5", 0, {}},
        CommandCase{"simulation_to_setup", "$PNRVICM,1,7,0", 0, {"setup:ICM7"}},
        CommandCase{"confirmation_to_setup", "$PNRVICM,1,17,0", 0, {"setup:ICM17"}},
        CommandCase{"coefficients_to_setup", "$PNRVICM,1,25,0", 0, {"setup:ICM25"}},
        CommandCase{"command_35_to_setup", "$PNRVICM,1,35,0", 0, {"setup:ICM35"}},
        CommandCase{"setup2_to_setup", "$PNRVICM,1,39,0", 0, {"setup:ICM39"}},
        CommandCase{"junction_box_setup_to_setup", "$PNRVICM,1,44", 0, {"setup:ICM44"}},
        CommandCase{"calibration", "$PNRVICM,1,18,0", 0, {"calibration:ICM18"}},
        CommandCase{"calibration_point", "$PNRVICM,1,21,0", 0, {"calibration:ICM21"}},
        CommandCase{"calibration_points", "$PNRVICM,1,24,0", 0, {"calibration:ICM24"}},
        CommandCase{"configuration_all", "$PNRVICM,1,19,1", 0, {"configToDisplay:1"}},
        CommandCase{"configuration_pending", "$PNRVICM,1,19,0", 0, {"configToDisplay:0"}},
        CommandCase{"fitness_with_ack", "$PNRVICM,1,20,1", 0, {"userAck", "fitness"}},
        CommandCase{"fitness_only", "$PNRVICM,1,20,0", 0, {"fitness"}},
        CommandCase{"fitness_without_value", "$PNRVICM,1,20", 0, {"fitness"}},
        CommandCase{"silence", "$PNRVICM,1,42,1", 0, {"userSilence"}},
        CommandCase{"no_silence", "$PNRVICM,1,42,0", 0, {}},
        CommandCase{"unknown_dropped", "$PNRVICM,1,60,0", 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Idm, Commands,
    ::testing::Values(
        CommandCase{
            "diagnostics", "$PNRVIDM,1,99,Sensor test,Start", 0, {"diagnostics:Sensor test,Start"}},
        CommandCase{"diagnostics_incomplete_dropped", "$PNRVIDM,1,99,Sensor test", 0, {}},
        CommandCase{"jb_setup_copy", "$PNRVIDM,1,10,Bridge,ON,OFF", 0, {"setup:IDM10"}},
        CommandCase{"display_heartbeat",
                    "$PNRVIDM,1,40,II0102,00:11:22:33:44:55",
                    0,
                    {"displayHbt:II0102,00:11:22:33:44:55"}},
        CommandCase{"display_heartbeat_incomplete_dropped", "$PNRVIDM,1,40,II0102", 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Others, Commands,
    ::testing::Values(
        CommandCase{"ack", "$CAACK,3032", 0, {"ack:ACK"}},
        CommandCase{"acn", "$CAACN,120000.00,VDA,3032,1,A,C", 0, {"acn:ACN"}},
        CommandCase{"heartbeat", "$CAHBT,60,A,1", 0, {"hbt:HBT"}},
        CommandCase{"service_configuration", "$PNRVGCF", 0, {"configToService"}},
        CommandCase{"mute", "$PNRVBLNK,2,,ON", 1, {"mute:1"}},
        CommandCase{"unmute", "$PNRVBLNK,2,,OFF", 1, {"mute:0"}},
        CommandCase{"blanking_other_command_ignored", "$PNRVBLNK,1,,ON", 1, {}},
        CommandCase{"dimming_without_remote_dimming", "$IIDDC,D,50,D,C", 0, {}},
        CommandCase{"sleep_forwarded", "$PNRVSLP,VD0101,1", 1, {"udp:SLP"}},
        CommandCase{"srp_request", "$VDSRP,,,", 0, {"srp"}},
        CommandCase{"srp_announcement", "$IISRP,1,00:11:22:33:44:55,172.16.1.1", 0, {}},
        CommandCase{"mac_valid", "$PNRVMACA,00:1A:2B:3C:4D:5E", 0, {"mac:eth0,00:1A:2B:3C:4D:5E"}},
        CommandCase{"mac_dashes", "$PNRVMACA,00-1A-2B-3C-4D-5E", 0, {"mac:eth0,00-1A-2B-3C-4D-5E"}},
        CommandCase{"mac_lower_case", "$PNRVMACA,00:1a:2b:3c:4d:5e", 0, {}},
        CommandCase{"mac_trailing_group", "$PNRVMACA,00:1A:2B:3C:4D:5E:6F", 0, {}},
        CommandCase{"mac_leading_text", "$PNRVMACA,X00:1A:2B:3C:4D:5E", 0, {}},
        CommandCase{"mac_trailing_text", "$PNRVMACA,00:1A:2B:3C:4D:5E;reboot", 0, {}},
        CommandCase{"mac_empty", "$PNRVMACA,", 0, {}},
        CommandCase{"water_speed_ignored", "$VDVHW,,T,,M,10.0,N,18.5,K", 0, {}},
        CommandCase{"unknown_sentence_ignored", "$GPXYZ,1,2,3", 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReceivedNmeaHandlerTest, RemoteDimmingCommandForwardedWhenSwitchedOn) {
    SystemSetup::getInstance()->Kc40Setup.set(&KC40_Setup_S::remoteDDC, QStringLiteral("ON"));
    receive(QStringLiteral("$IIDDC,D,50,D,C"));
    receive(QStringLiteral("$IIDDC,D,50,D,R"));
    EXPECT_EQ(events, QStringList({"udp:DDC"}));
}

TEST_F(ReceivedNmeaHandlerTest, VersionRequestSchedulesTheVersionReport) {
    SystemSetup::getInstance()->setSendVersionInfo(false);
    receive(QStringLiteral("$IIVER,1,1,VD,NRV,0101,1,KC40,1.0,B1,0"));
    EXPECT_FALSE(SystemSetup::getInstance()->getSendVersionInfo());
    handler.handleReceived(NmeaMessagePtr(NmeaParser::parse(withChecksum("$IIVER"))), 0);
    EXPECT_TRUE(SystemSetup::getInstance()->getSendVersionInfo());
}

TEST_F(ReceivedNmeaHandlerTest, MonitoringEchoFollowsTheChannelCommands) {
    receive(QStringLiteral("$PNRVIDM,1,3,Nmea_2,StartInput"));
    receive(QStringLiteral("$PNRVIDM,1,3,LAN,StartOutput"));
    receive(QStringLiteral("$PNRVIDM,1,3,Nmea_9,StartInput"));
    EXPECT_TRUE(handler.monitorChannelInput(QStringLiteral("Nmea_2")));
    EXPECT_FALSE(handler.monitorChannelOutput(QStringLiteral("Nmea_2")));
    EXPECT_TRUE(handler.monitorChannelOutput(QStringLiteral("LAN")));
    EXPECT_FALSE(handler.monitorChannelInput(QStringLiteral("Nmea_9")));
    receive(QStringLiteral("$PNRVIDM,1,3,Nmea_2,StopInput"));
    EXPECT_FALSE(handler.monitorChannelInput(QStringLiteral("Nmea_2")));
}

// --- equipment property values -------------------------------------------------------------

INSTANTIATE_TEST_SUITE_P(
    Epv, Commands,
    ::testing::Values(
        CommandCase{"reverse_from_network", "$IIEPV,C,VD,0101,50,1", 0, {"reverse:1", "udp:EPV"}},
        CommandCase{"forward_from_nmea1", "$IIEPV,C,VD,0101,50,0", 1, {"reverse:0", "nmea1:EPV"}},
        CommandCase{"forward_from_nmea2", "$IIEPV,C,VD,0101,50,0", 2, {"reverse:0", "nmea2:EPV"}},
        CommandCase{"from_sensor_line_no_reply", "$IIEPV,C,VD,0101,50,1", -1, {"reverse:1"}},
        CommandCase{"bad_reverse_value_still_answered", "$IIEPV,C,VD,0101,50,2", 0, {"udp:EPV"}},
        CommandCase{"other_property_answered", "$IIEPV,C,VD,0101,7,x", 1, {"nmea1:EPV"}},
        CommandCase{"wrong_system", "$IIEPV,C,II,0101,50,1", 0, {}},
        CommandCase{"wrong_instance", "$IIEPV,C,VD,0102,50,1", 0, {}},
        CommandCase{"reply_not_answered", "$IIEPV,R,VD,0101,50,1", 0, {}},
        CommandCase{"fixed_long_speed", "$IIEPV,C,VD,0101,1001,2.5", 0, {"udp:ICM7", "udp:EPV"}},
        CommandCase{"fixed_speed_not_a_number", "$IIEPV,C,VD,0101,1002,fast", 0, {"udp:EPV"}},
        CommandCase{"start_simulation", "$IIEPV,C,VD,0101,1000,2", 0, {"udp:ICM7", "udp:EPV"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReceivedNmeaHandlerTest, EpvReplyCarriesTheRequestedProperty) {
    receive(QStringLiteral("$IIEPV,C,VD,0101,1001,2.5"), 2);
    ASSERT_EQ(sent.size(), 2);
    const auto* reply = dynamic_cast<const MsgEPV*>(sent.last().get());
    ASSERT_NE(reply, nullptr);
    EXPECT_EQ(reply->sentenceStatusFlag(), QStringLiteral("R"));
    EXPECT_EQ(reply->equipmType(), QStringLiteral("VD"));
    EXPECT_EQ(reply->uniqueIdentif(), QStringLiteral("0101"));
    EXPECT_EQ(reply->properNameIdentif(), 1001);
    EXPECT_EQ(reply->properValue(), QStringLiteral("2.5"));
    EXPECT_EQ(SystemSetup::getInstance()->simulationParameters.fixedSpeedLong, 2.5f);
}

// --- connection data ------------------------------------------------------------------------

struct ScfCase {
    const char* name;
    QString sentence;
    QString address;
};
void PrintTo(const ScfCase& c, std::ostream* os) {
    printCaseName(c, os);
}

// The handler hands the connection data to the configuration protocol, which takes them.
class ConnectionData : public ReceivedNmeaHandlerTest,
                       public ::testing::WithParamInterface<ScfCase> {
protected:
    ConnectionData() {
        QObject::connect(&handler, &ReceivedNmeaHandler::sigConnectionData, &commands,
                         &DisplayCommands::updateConnectionInfo);
    }

    DisplayCommands commands{*SystemSetup::getInstance()};
};

TEST_P(ConnectionData, OnlyADottedAddressIsApplied) {
    SystemSetup::getInstance()->Kc40Setup.set(&KC40_Setup_S::ipAddress,
                                              QStringLiteral("172.16.1.101"));
    receive(GetParam().sentence, 0);
    EXPECT_EQ(SystemSetup::getInstance()->Kc40Setup.values().ipAddress, GetParam().address);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConnectionData,
    ::testing::Values(
        ScfCase{"valid", "$PNRVSCF,Bridge,172,16,1,50,0102,0101,4", "172.16.1.50"},
        ScfCase{"octet_too_big", "$PNRVSCF,Bridge,172,16,1,256,0102,0101,4", "172.16.1.101"},
        ScfCase{"octet_not_a_number", "$PNRVSCF,Bridge,172,16,1,5a,0102,0101,4", "172.16.1.101"},
        ScfCase{"octet_empty", "$PNRVSCF,Bridge,172,16,,5,0102,0101,4", "172.16.1.101"},
        ScfCase{"octet_signed", "$PNRVSCF,Bridge,172,16,+1,5,0102,0101,4", "172.16.1.101"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- error reports --------------------------------------------------------------------------

TEST_F(ReceivedNmeaHandlerTest, ErrorTableAfterABadChecksumGoesToEveryChannel) {
    QObject::connect(&ReceivedNmeaHandler::errorCounter, &NmeaErrorCounter::sigError,
                     ErrorCounter::getInstance(), &ErrorCounter::slotErrors);
    handler.handleReceived(NmeaMessagePtr(NmeaParser::parse("$HEHDT,45.0,T*00\r\n")), 1);
    receive(QStringLiteral("$PNRVTER,1"), 0);
    EXPECT_EQ(events, QStringList({"nmea1:ERRORTABLE", "nmea2:ERRORTABLE", "udp:ERRORTABLE"}));
    for (const NmeaMessagePtr& message : sent) {
        const auto* table = dynamic_cast<const MsgERRORTABLE*>(message.get());
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->errorIDs().value(6), 76);
        EXPECT_EQ(table->errorCounts().value(6), 1);
    }
    EXPECT_NE(sent[0], sent[1]);
    EXPECT_NE(sent[1], sent[2]);
}

struct TerCase {
    const char* name;
    int command;
    QString reply;
    quint32 countAfter;
};
void PrintTo(const TerCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class ErrorRequests : public ReceivedNmeaHandlerTest,
                      public ::testing::WithParamInterface<TerCase> {};

TEST_P(ErrorRequests, AnswerAndResetAsAsked) {
    const TerCase& c = GetParam();
    ErrorCounter::getInstance()->increase(ERR_TYPE_MSG_LENGTH);
    receive(QStringLiteral("$PNRVTER,%1").arg(c.command), 0);
    QStringList expected;
    if (!c.reply.isEmpty()) {
        expected = {"nmea1:" + c.reply, "nmea2:" + c.reply, "udp:" + c.reply};
    }
    EXPECT_EQ(events, expected);
    EXPECT_EQ(ErrorCounter::getInstance()->getErrorCountByID(ERR_TYPE_MSG_LENGTH), c.countAfter);
    if (const auto* code = dynamic_cast<const MsgERRORCODE*>(sent.value(0).get())) {
        EXPECT_EQ(code->errorCode(), quint32(ERR_TYPE_MSG_LENGTH));
        EXPECT_EQ(code->errorCount(), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ErrorRequests,
                         ::testing::Values(TerCase{"latest_code", 0, "ERRORCODE", 1},
                                           TerCase{"table", 1, "ERRORTABLE", 1},
                                           TerCase{"table_then_reset", 9, "ERRORTABLE", 0},
                                           TerCase{"other_code_ignored", 5, "", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- trip and total ---------------------------------------------------------------------------

struct DistanceCase {
    const char* name;
    QString outputParams;
    QString sentence;
    double waterTrip;
    double waterTotal;
    double groundTrip;
    double groundTotal;
    double olderTrip;
    double olderTotal;
    QStringList events;
};
void PrintTo(const DistanceCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class Distances : public ReceivedNmeaHandlerTest,
                  public ::testing::WithParamInterface<DistanceCase> {};

TEST_P(Distances, SetAndResetAsCommanded) {
    const DistanceCase& c = GetParam();
    SystemSetup::getInstance()->Vq2Setup.set(&VQ2_Setup_S::outputParams, c.outputParams);
    SystemVariables* sv = store();
    for (varDouble* v : {&sv->waterDistanceSinceReset, &sv->groundDistanceSinceReset,
                         &sv->waterDistanceSinceResetVQ1}) {
        v->setValue(5.0, 1);
    }
    for (varDouble* v : {&sv->totalCumulativeWaterDistance, &sv->totalCumulativeGroundDistance,
                         &sv->totalCumulativeWaterDistanceVQ1}) {
        v->setValue(500.0, 1);
    }
    receive(c.sentence, 0);
    EXPECT_NEAR(sv->waterDistanceSinceReset.getValue(), c.waterTrip, 1e-3);
    EXPECT_NEAR(sv->totalCumulativeWaterDistance.getValue(), c.waterTotal, 1e-3);
    EXPECT_NEAR(sv->groundDistanceSinceReset.getValue(), c.groundTrip, 1e-3);
    EXPECT_NEAR(sv->totalCumulativeGroundDistance.getValue(), c.groundTotal, 1e-3);
    EXPECT_NEAR(sv->waterDistanceSinceResetVQ1.getValue(), c.olderTrip, 1e-3);
    EXPECT_NEAR(sv->totalCumulativeWaterDistanceVQ1.getValue(), c.olderTotal, 1e-3);
    EXPECT_EQ(events, c.events);
}

const QString kSogStw = QStringLiteral("SOG + STW");
const QString kSogOnly = QStringLiteral("SOG Only");

INSTANTIATE_TEST_SUITE_P(
    Table, Distances,
    ::testing::Values(
        DistanceCase{
            "set", kSogStw, "$PNRVSTL,12.5,1234.5", 12.5, 1234.5, 12.5, 1234.5, 12.5, 1234.5, {}},
        DistanceCase{"set_older_log",
                     kSogOnly,
                     "$PNRVSTL,12.5,1234.5",
                     12.5,
                     1234.5,
                     12.5,
                     1234.5,
                     12.5,
                     1234.5,
                     {"vq1:12.5,1234.5"}},
        DistanceCase{"set_empty_dropped", kSogStw, "$PNRVSTL,,1234.5", 5, 500, 5, 500, 5, 500, {}},
        DistanceCase{
            "set_negative_dropped", kSogStw, "$PNRVSTL,-1.0,1234.5", 5, 500, 5, 500, 5, 500, {}},
        DistanceCase{"reset_water_trip", kSogStw, "$PNRVRSTT", 0, 500, 5, 500, 0, 500, {}},
        DistanceCase{"reset_water_trip_older_log",
                     kSogOnly,
                     "$PNRVRSTT",
                     0,
                     500,
                     5,
                     500,
                     0,
                     500,
                     {"vq1:0,500"}},
        DistanceCase{"reset_ground_trip", kSogStw, "$PNRVRSTTG", 5, 500, 0, 500, 5, 500, {}},
        DistanceCase{"reset_totals", kSogStw, "$PNRVRSTO", 5, 0, 5, 0, 5, 0, {}},
        DistanceCase{"reset_totals_older_log_keeps_trip",
                     kSogOnly,
                     "$PNRVRSTO",
                     5,
                     0,
                     5,
                     0,
                     5,
                     0,
                     {"vq1:5,0"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReceivedNmeaHandlerTest, TripSettingIsStoredInTheTripRecord) {
    receive(QStringLiteral("$PNRVSTL,12.5,1234.5"), 0);
    SystemSetup::resetForTests();
    EXPECT_EQ(SystemSetup::getInstance()->TripTotalSetup.values().tripDistance, 12.5f);
    EXPECT_EQ(SystemSetup::getInstance()->TripTotalSetup.values().totalDistance, 1234.5f);
}

// --- sensor sentences -----------------------------------------------------------------------

const QString kDat4 = QStringLiteral("$PNRVDAT,4,10.0,9,0.0,9,21.0,0,0,0,10.0,9,0.0,9,20.0,20.0");

struct DatCase {
    const char* name;
    QString outputParams;
    bool simulation;
    int simulationSource;
    bool datr;
    QStringList events;
};
void PrintTo(const DatCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class SensorData : public ReceivedNmeaHandlerTest, public ::testing::WithParamInterface<DatCase> {};

TEST_P(SensorData, RoutedUnlessSomethingElseGivesTheSpeeds) {
    const DatCase& c = GetParam();
    SystemSetup* s = SystemSetup::getInstance();
    s->Vq2Setup.set(&VQ2_Setup_S::outputParams, c.outputParams);
    s->simulationParameters.SimulationModeOn = c.simulation;
    s->simulationParameters.simulationSource = c.simulationSource;
    datrEnabled = c.datr;
    g_now += 500;
    handler.handleMessages(parsed(kDat4), ReceivedNmeaHandler::kSourceSensor);
    QStringList routed;
    for (const QString& e : events) {
        if (!e.startsWith(QLatin1String("udp:"))) {
            routed << e;
        }
    }
    EXPECT_EQ(routed, c.events);
    EXPECT_EQ(store()->msgDAT4.getValidity(), !c.events.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, SensorData,
    ::testing::Values(
        DatCase{"normal", kSogStw, false, 0, false, {"muted:0", "sensorData:1"}},
        DatCase{
            "raw_data_forwarded", kSogStw, false, 0, true, {"muted:0", "sensorData:1", "outputs"}},
        DatCase{"sensor_simulation_counts", kSogStw, true, 0, false, {"muted:0", "sensorData:1"}},
        DatCase{"junction_box_simulation", kSogStw, true, 1, false, {}},
        DatCase{"gps_simulation", kSogStw, true, 2, false, {}},
        DatCase{"satellite_log", QStringLiteral("SAT LOG"), false, 0, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReceivedNmeaHandlerTest, SensorInformationUpdatesTheSetup) {
    SystemSetup* s = SystemSetup::getInstance();
    handler.handleMessages(parsed(QStringLiteral("$PNRVSNF,4,150123,A9,214,F1,F1,0.5,1.0,HI")),
                           ReceivedNmeaHandler::kSourceSensor);
    EXPECT_EQ(s->sensTimer.values().serialNumber, QStringLiteral("150123"));
    EXPECT_TRUE(s->sensorFirmware213());
    EXPECT_TRUE(s->Vq2Setup.getNewSensorFirmware());
    EXPECT_TRUE(events.contains(QStringLiteral("udp:ICM11")));
}

struct SimulationCase {
    const char* name;
    int correct;
    int wrong;
    float water;
    float ground;
    int system;
    bool stops;
};
void PrintTo(const SimulationCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class SensorSimulation : public ::testing::TestWithParam<SimulationCase> {};

TEST_P(SensorSimulation, TooManyWrongAnswersEndTheSimulation) {
    const SimulationCase& c = GetParam();
    SensorSimulationCheck check;
    const MsgDAT good(c.system, 6.0f, 9, 8.0f, 9, 21.0f, 0, 0, 0, 6.0f, 9, 8.0f, 9, 20.0f, 20.0f);
    const MsgDAT bad(c.system, c.water, 9, 0.0f, 9, 21.0f, 0, 0, 0, c.ground, 9, 0.0f, 9, 20.0f,
                     20.0f);
    bool stopped = false;
    for (int i = 0; i < c.correct; ++i) {
        stopped = check.check(good, 6.0f, 8.0f) || stopped;
    }
    for (int i = 0; i < c.wrong; ++i) {
        stopped = check.check(bad, 6.0f, 8.0f) || stopped;
    }
    EXPECT_EQ(stopped, c.stops);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SensorSimulation,
    ::testing::Values(SimulationCase{"twelve_wrong_after_settling", 61, 12, 10.6f, 10.0f, 4, true},
                      SimulationCase{"eleven_wrong_are_tolerated", 61, 11, 10.6f, 10.0f, 4, false},
                      SimulationCase{"settling_answers_not_judged", 0, 71, 10.6f, 10.0f, 4, false},
                      SimulationCase{"within_half_a_knot", 61, 20, 10.5f, 10.0f, 4, false},
                      SimulationCase{"ground_too_fast", 61, 12, 10.0f, 10.6f, 4, true},
                      SimulationCase{"second_frequency_has_no_ground", 61, 12, 10.0f, 10.6f, 5,
                                     false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReceivedNmeaHandlerTest, SensorIgnoringTheSimulationSwitchesItOff) {
    SimulationParameters& simulation = SystemSetup::getInstance()->simulationParameters;
    simulation.SimulationModeOn = true;
    simulation.simulationSource = SimulationParameters::SENSOR_FIXED_SPEED;
    simulation.fixedSpeedLong = 1.0f;
    simulation.fixedSpeedTra = 0.0f;
    for (int i = 0; i < 61 + 12; ++i) {
        handler.handleMessages(parsed(kDat4), ReceivedNmeaHandler::kSourceSensor);
    }
    EXPECT_FALSE(simulation.SimulationModeOn);
    EXPECT_TRUE(simulation.changeConfirmed);
    EXPECT_TRUE(events.contains(QStringLiteral("udp:ICM7")));
    EXPECT_EQ(handler.sensorSimulationCheck().sensorSimulationStarted(), 0);
}

// --- pure geometry ---------------------------------------------------------------------------

struct AngleCase {
    const char* name;
    float heading;
    float longitudinal;
    float transverse;
    float course;
};

TEST(ReceivedNavigationGeometry, CourseFromGroundVectorIsDegreesTrue) {
    const AngleCase cases[] = {
        {"ahead", 30.0f, 5.0f, 0.0f, 30.0f},
        {"starboard", 30.0f, 0.0f, 5.0f, 120.0f},
        {"port_past_north", 30.0f, 0.0f, -5.0f, 300.0f},
        {"astern", 270.0f, -5.0f, 0.0f, 90.0f},
        {"no_heading", kNone, 5.0f, 0.0f, kNone},
        {"no_speed", 30.0f, kNone, 1.0f, kNone},
    };
    for (const AngleCase& c : cases) {
        expectNear(
            ReceivedNavigation::courseFromGroundVector(c.heading, c.longitudinal, c.transverse),
            c.course, c.name);
    }
}

TEST(ReceivedNavigationGeometry, DriftAngleIsZeroWithoutCourseOrHeading) {
    EXPECT_FLOAT_EQ(ReceivedNavigation::driftAngle(100.0f, 10.0f), 90.0f * 3.14159265f / 180.0f);
    EXPECT_EQ(ReceivedNavigation::driftAngle(kNone, 10.0f), 0.0f);
    EXPECT_EQ(ReceivedNavigation::driftAngle(100.0f, kNone), 0.0f);
}

} // namespace
