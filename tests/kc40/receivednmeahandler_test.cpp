#include "receivednmeahandler.h"

#include "fakeclock.h"
#include "freshunit.h"
#include "heading.h"
#include "msgepv.h"
#include "msgerrorcode.h"
#include "msgerrortable.h"
#include "nmeaparser.h"
#include "signallog.h"
#include "utc_time.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>

namespace {

using H = ReceivedNmeaHandler;

// "$GPVTG,..." -> the sentence as it arrives, checksum and line end added.
NmeaMessagePtr parsed(const QString& sentence) {
    return NmeaMessagePtr(NmeaParser::parse(NmeaMessage::addCrcToMsgBuffer(sentence.mid(1))));
}

const auto store = [] { return SystemVariables::getInstance(); };
const auto setup = [] { return SystemSetup::getInstance(); };

// A value as the tables write it: rounded to thousandths, "-" when absent.
QString number(double value) {
    if (value == kAbsentFloat) {
        return QStringLiteral("-");
    }
    const double rounded = std::round(value * 1000.0) / 1000.0;
    return QString::number(rounded == 0.0 ? 0.0 : rounded);
}

// The handler on a fresh board root; what it asks of the rest of the unit is written down:
// "udp:EPV", "nmea:1,EPV", "reverse:1", "fitness".
struct Rig {
    Rig() {
        handler.setVq2Handler(&vq2);
        handler.setSensorValidQuery([this] { return sensorValid; });
        handler.setDatrEnabledQuery([this] { return datrEnabled; });
        log.on(&handler, &H::sigSendSingleOnUdpOutput, "udp", &H::sigSystemSetupMessage, "setup",
               &H::sigAuxSetupMessage, "aux", &H::sigCalibrationCommandReceived, "calibration",
               &H::sigHeartBeatReceived, "hbt", &H::sigAckReceived, "ack", &H::sigAcnReceived,
               "acn", &H::sigAlrsReceived, "alrs", &H::sigSendConfigurationToDisplay,
               "configToDisplay", &H::sigSynchRequest, "mute", &H::sigSynchConfirmed, "muted",
               &H::sigSensorDataReceived, "sensorData", &H::sigForwReverseChanged, "reverse",
               &H::sigSendConfigurationToServiceSoftware, "configToService",
               &H::sigFittnesPulseReceived, "fitness", &H::sigUserAcknowledge, "userAck",
               &H::sigUserSilence, "userSilence", &H::sigSendOutputMessages, "outputs",
               &H::sigSendSRP, "srp", &H::sigSendOnNmeaOutput, "nmea", &H::sigConnectionData,
               "connection", &H::sigDisplayHeartBeatReceived, "displayHbt", &H::sigDiagnosticsTest,
               "diagnostics", &H::sigSetTripTotalVQ1, "vq1", &H::sigMacAddress, "mac");
    }

    // Sentences separated by spaces, a tenth of a second apart.
    void receive(const QString& sentences, int source = H::kSourceNmea1) {
        for (const QString& sentence : sentences.split(QRegularExpression(" (?=\\$)"))) {
            FakeClock::advance(100);
            handler.handleReceived(parsed(sentence), source);
        }
    }
    std::string heard() const { return log.heard(); }

    FakeClock clock;
    FreshUnitRoot root;
    SignalLog log; // outlives the handler
    VQ2_Handler vq2;
    ReceivedNmeaHandler handler;
    bool sensorValid = true;
    bool datrEnabled = false;
    QStringList& events = log.events;
    QList<NmeaMessagePtr>& sent = log.sentences;
};

TEST(ReceivedNavigation, LostSensorHandsGroundSpeedToGpsButNotInASatelliteLog) {
    for (const bool satelliteLog : {false, true}) {
        SCOPED_TRACE(satelliteLog ? "satellite log" : "sensor");
        Rig rig;
        rig.sensorValid = false;
        if (satelliteLog) {
            setup()->Vq2Setup.set(&VQ2_Setup_S::outputParams, VQ2_Setup::kSatLog);
        }
        rig.receive(QStringLiteral("$GPVTG,0.0,T,,M,7.0,N,13.0,K,A"));
        EXPECT_EQ(store()->bSOG_fromGPS, !satelliteLog);
        if (!satelliteLog) {
            EXPECT_NEAR(store()->vq2data.sogResBoatCallibrated.getValue(), 7.0f, 1e-3f);
        }
    }
}

// Reads what a sentence stored, as text: a value, the time, or whether a sentence is held.
using Probe = std::function<QString()>;
Probe value(varFloat SystemVariables::*variable) {
    return [variable] { return number((store()->*variable).getValue()); };
}
Probe held(varNmeaMsg SystemVariables::*variable) {
    return [variable] { return QString::number(int((store()->*variable).getValidity())); };
}

TEST(ReceivedNavigation, EachSentenceWritesTheValueOfItsSource) {
    using S = SystemVariables;
    const Probe gyro = value(&S::headingTrue_Gyro), satellite = value(&S::headingTrue_SatLog),
                ths = value(&S::headingTrue_Gyro_THS), compass = value(&S::headingTrue_MagCompass),
                rot = value(&S::rateOfTurn), gll = held(&S::msgGLL), gga = held(&S::msgGGA),
                dpt = held(&S::msgDPT_SD), time = [] { return UTC_Time::getTimeStample(); },
                heading = [] { return number(Heading::getHeadingTrue().getValue()); };
    // The GPS ground speed, resultant, longitudinal and transverse, and the course.
    const Probe ground = [] {
        SystemVariables* sv = store();
        return QStringList({number(sv->getSOG_R_GPS()), number(sv->getSOG_L_GPS()),
                            number(sv->getSOG_T_GPS()),
                            number(sv->trackDegreesTrue_GPS.getValue())})
            .join(' ');
    };
    const QString rmc = QStringLiteral("$GPRMC,120000.00,A,5400.0,N,01000.0,E,6.0,0.0,010126,,");
    const QString fix = QStringLiteral("$GPGGA,121212.00,5400.0,N,01000.0,E,1,8,1.0,10.0,M,40.0,M");
    const std::tuple<const char*, QString, Probe, const char*> cases[] = {
        {"vtg on gyro", "$HEHDT,45.0,T $GPVTG,45.0,T,,M,10.0,N,18.5,K,A", ground, "10 10 0 45"},
        {"vtg drifting", "$HEHDT,0.0,T $GPVTG,90.0,T,,M,10.0,N,18.5,K,A", ground, "10 0 10 90"},
        {"vtg, no heading: ahead", "$GPVTG,90.0,T,,M,10.0,N,18.5,K,A", ground, "10 10 0 90"},
        {"vtg mode N of a GPS", "$GPVTG,10.0,T,,M,4.0,N,7.4,K,N", ground, "4 4 0 10"},
        {"vtg mode N of an instrument", "$IIVTG,10.0,T,,M,4.0,N,7.4,K,N", ground, "- - - -"},
        {"vtg beats rmc", rmc + " $GPVTG,0.0,T,,M,8.0,N,14.8,K,A", ground, "8 8 0 0"},
        {"rmc alone", rmc, ground, "6 6 0 -"},
        {"rmc void", QString(rmc).replace(",A,", ",V,"), ground, "- - - -"},
        {"vbw ground valid", "$VDVBW,,,V,4.0,3.0,A,,V,,V", ground, "5 4 3 -"},
        {"vbw ground void, instrument", "$VDVBW,,,V,4.0,3.0,V,,V,,V", ground, "- - - -"},
        {"vbw ground void, GPS", "$GPVBW,,,V,4.0,3.0,V,,V,,V", ground, "5 4 3 -"},
        {"vbw past north", "$HEHDT,350.0,T $VDVBW,,,V,1.0,1.0,A,,V,,V", ground, "1.414 1 1 35"},
        {"vbw astern to port", "$HEHDT,10.0,T $VDVBW,,,V,-1.0,-1.0,A,,V,,V", ground,
         "1.414 -1 -1 235"},
        {"hdt gyro", "$HEHDT,123.4,T", gyro, "123.4"},
        {"hdt satellite", "$GNHDT,12.0,T", satellite, "12"},
        {"hdt satellite is not gyro", "$GNHDT,12.0,T", gyro, "-"},
        {"hdt magnetic reference", "$HEHDT,12.0,M", gyro, "-"},
        {"ths autonomous", "$HETHS,200.0,A", ths, "200"},
        {"ths invalid", "$HETHS,200.0,V", ths, "-"},
        {"hdg east variation wraps", "$HCHDG,355.0,,,10.0,E", compass, "5"},
        {"hdg west variation wraps", "$HCHDG,5.0,,,10.0,W", compass, "355"},
        {"hdg without variation", "$HCHDG,90.0,,,,", compass, "90"},
        {"hdg of another talker", "$IIHDG,90.0,,,,", compass, "-"},
        {"the gyro heading first", "$GNHDT,20.0,T $HEHDT,10.0,T", heading, "10"},
        {"then the satellite compass", "$HCHDG,30.0,,,, $GNHDT,20.0,T", heading, "20"},
        {"then the magnetic compass", "$HETHS,40.0,A $HCHDG,30.0,,,,", heading, "30"},
        {"then the gyro's THS", "$HETHS,40.0,A", heading, "40"},
        {"rot valid", "$TIROT,-12.5,A", rot, "-12.5"},
        {"rot invalid", "$TIROT,-12.5,V", rot, "-"},
        {"zda", "$GPZDA,101010.00,01,01,2026,00,00", time, "101010.00"},
        {"ztg before zda", "$GPZDA,101010.00,01,01,2026,00,00 $GPZTG,111111.00,,WP", time,
         "111111.00"},
        {"zda before gga", fix + " $GPZDA,101010.00,01,01,2026,00,00", time, "101010.00"},
        {"gga before rmc", rmc + " " + fix, time, "121212.00"},
        {"gga without fix", QString(fix).replace(",1,8,", ",0,8,"), time, ""},
        {"rmc void still tells the time", QString(rmc).replace(",A,", ",V,"), time, "120000.00"},
        {"gll valid", "$GPGLL,5400.0,N,01000.0,E,101010.00,A,A", gll, "1"},
        {"gll void", "$GPGLL,5400.0,N,01000.0,E,101010.00,V,A", gll, "0"},
        {"gll mode N", "$GPGLL,5400.0,N,01000.0,E,101010.00,A,N", gll, "0"},
        {"gga with fix kept", fix, gga, "1"},
        {"gga with an empty fix", QString(fix).replace(",1,8,", ",,8,"), gga, "0"},
        {"dpt of another sounder", "$SDDPT,12.5,0.5,100", dpt, "1"},
        {"dpt our own echo", "$VDDPT,12.5,0.5,100", dpt, "0"},
    };
    for (const auto& [name, sentences, probe, expected] : cases) {
        Rig rig;
        rig.receive(sentences);
        EXPECT_EQ(probe().toStdString(), expected) << name;
    }
}

TEST(ReceivedNavigation, GyroHeadingWinsUntilItAgesOut) {
    Rig rig;
    rig.receive(QStringLiteral("$HEHDT,100.0,T"));
    for (int tick = 0; tick <= 10; ++tick) {
        rig.receive(QStringLiteral("$GPHDT,200.0,T"));
        EXPECT_EQ(Heading::getHeadingTrue().getValue(), tick < 10 ? 100.0f : 200.0f) << tick;
        store()->slotTimeCounter();
    }
}

TEST(ReceivedEntry, InStandbyOnlyStandbyCommandsPass) {
    Rig rig;
    setup()->confirmSystemStandby(true);
    rig.receive(QStringLiteral("$PNRVICM,1,20,1 $HEHDT,45.0,T $PNRVICM,1,9,0 $PNRVICM,1,99,0"));
    EXPECT_EQ(rig.heard(), "setup:ICM9 setup:ICM99");
    EXPECT_FALSE(store()->headingTrue_Gyro.getValidity());
}

TEST(ReceivedEntry, DamagedSentencesAreCountedByTheirFaultAndDropped) {
    const std::tuple<const char*, QString, bool, QList<int>> cases[] = {
        {"bad checksum", "$PNRVICM,1,20,1*00\r\n", false, {76}},
        {"bad field", NmeaMessage::addCrcToMsgBuffer("PNRVEPV,X,VD,0101,50,1"), false, {76}},
        {"too long", "$GPTXT," + QString(90, QLatin1Char('A')) + "*00\r\n", false, {74}},
        {"in standby not counted", "$PNRVICM,1,20,1*00\r\n", true, {}},
    };
    for (const auto& [name, text, standby, expected] : cases) {
        SCOPED_TRACE(name);
        Rig rig;
        QList<int> reported;
        QObject::connect(&H::errorCounter, &NmeaErrorCounter::sigError, &rig.handler,
                         [&reported](int id) { reported << id; });
        setup()->confirmSystemStandby(standby);
        rig.handler.handleReceived(NmeaMessagePtr(NmeaParser::parse(text)), 1);
        EXPECT_EQ(reported, expected);
        EXPECT_EQ(rig.heard(), "");
    }
}

TEST(ReceivedCommands, ReachTheirReceivers) {
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {"aux setup", "$PNRVICM,1,14,1,2", 0, "aux:ICM14"},
        {"docking dropped", "$PNRVICM,1,5", 0, ""},
        {"simulation to setup", "$PNRVICM,1,7,0", 0, "setup:ICM7"},
        {"confirmation to setup", "$PNRVICM,1,17,0", 0, "setup:ICM17"},
        {"coefficients to setup", "$PNRVICM,1,25,0", 0, "setup:ICM25"},
        {"command 35 to setup", "$PNRVICM,1,35,0", 0, "setup:ICM35"},
        {"setup2 to setup", "$PNRVICM,1,39,0", 0, "setup:ICM39"},
        {"junction box setup to setup", "$PNRVICM,1,44", 0, "setup:ICM44"},
        {"calibration", "$PNRVICM,1,18,0", 0, "calibration:ICM18"},
        {"calibration point", "$PNRVICM,1,21,0", 0, "calibration:ICM21"},
        {"calibration points", "$PNRVICM,1,24,0", 0, "calibration:ICM24"},
        {"recommended angles", "$PNRVICM,1,38,0", 0, "calibration:ICM38"},
        {"configuration all", "$PNRVICM,1,19,1", 0, "configToDisplay:1"},
        {"configuration pending", "$PNRVICM,1,19,0", 0, "configToDisplay:0"},
        {"fitness with ack", "$PNRVICM,1,20,1", 0, "userAck fitness"},
        {"fitness only", "$PNRVICM,1,20,0", 0, "fitness"},
        {"fitness without value", "$PNRVICM,1,20", 0, "fitness"},
        {"silence", "$PNRVICM,1,42,1", 0, "userSilence"},
        {"no silence", "$PNRVICM,1,42,0", 0, ""},
        {"unknown command dropped", "$PNRVICM,1,60,0", 0, ""},
        {"diagnostics", "$PNRVIDM,1,99,Sensor test,Start", 0, "diagnostics:Sensor test,Start"},
        {"diagnostics incomplete dropped", "$PNRVIDM,1,99,Sensor test", 0, ""},
        {"junction box setup copy", "$PNRVIDM,1,10,Bridge,ON,OFF", 0, "setup:IDM10"},
        {"display heartbeat", "$PNRVIDM,1,40,II0102,00:11:22:33:44:55", 0,
         "displayHbt:II0102,00:11:22:33:44:55"},
        {"display heartbeat incomplete dropped", "$PNRVIDM,1,40,II0102", 0, ""},
        {"ack", "$CAACK,3032", 0, "ack:ACK"},
        {"acn", "$CAACN,120000.00,VDA,3032,1,A,C", 0, "acn:ACN"},
        {"heartbeat", "$CAHBT,60,A,1", 0, "hbt:HBT"},
        {"service configuration", "$PNRVGCF", 0, "configToService"},
        {"mute", "$PNRVBLNK,2,,ON", 1, "mute:1"},
        {"unmute", "$PNRVBLNK,2,,OFF", 1, "mute:0"},
        {"blanking other command ignored", "$PNRVBLNK,1,,ON", 1, ""},
        {"dimming without remote dimming", "$IIDDC,D,50,D,C", 0, ""},
        {"sleep forwarded", "$PNRVSLP,VD0101,1", 1, "udp:SLP"},
        {"srp request", "$VDSRP,,,", 0, "srp"},
        {"srp announcement", "$IISRP,1,00:11:22:33:44:55,172.16.1.1", 0, ""},
        {"mac valid", "$PNRVMACA,00:1A:2B:3C:4D:5E", 0, "mac:eth0,00:1A:2B:3C:4D:5E"},
        {"mac dashes", "$PNRVMACA,00-1A-2B-3C-4D-5E", 0, "mac:eth0,00-1A-2B-3C-4D-5E"},
        {"mac lower case", "$PNRVMACA,00:1a:2b:3c:4d:5e", 0, ""},
        {"mac trailing group", "$PNRVMACA,00:1A:2B:3C:4D:5E:6F", 0, ""},
        {"mac leading text", "$PNRVMACA,X00:1A:2B:3C:4D:5E", 0, ""},
        {"mac trailing text", "$PNRVMACA,00:1A:2B:3C:4D:5E;reboot", 0, ""},
        {"mac empty", "$PNRVMACA,", 0, ""},
        {"connection data", "$PNRVSCF,Bridge,172,16,1,50,0102,0101,4", 0,
         "connection:Bridge,172.16.1.50,0102,4"},
        {"connection octet too big", "$PNRVSCF,Bridge,172,16,1,256,0102,0101,4", 0, ""},
        {"connection first octet too big", "$PNRVSCF,Bridge,256,16,1,5,0102,0101,4", 0, ""},
        {"connection octets of 255", "$PNRVSCF,B,255,255,255,255,0102,0101,4", 0,
         "connection:B,255.255.255.255,0102,4"},
        {"connection octet not a number", "$PNRVSCF,Bridge,172,16,1,5a,0102,0101,4", 0, ""},
        {"connection octet empty", "$PNRVSCF,Bridge,172,16,,5,0102,0101,4", 0, ""},
        {"connection octet signed", "$PNRVSCF,Bridge,172,16,+1,5,0102,0101,4", 0, ""},
        {"water speed ignored", "$VDVHW,,T,,M,10.0,N,18.5,K", 0, ""},
        {"unknown sentence ignored", "$GPXYZ,1,2,3", 0, ""},
        // Equipment property values: answered on the line they came from.
        {"reverse from the network", "$IIEPV,C,VD,0101,50,1", 0, "reverse:1 udp:EPV"},
        {"forward from nmea 1", "$IIEPV,C,VD,0101,50,0", 1, "reverse:0 nmea:1,EPV"},
        {"forward from nmea 2", "$IIEPV,C,VD,0101,50,0", 2, "reverse:0 nmea:2,EPV"},
        {"from the sensor line no reply", "$IIEPV,C,VD,0101,50,1", -1, "reverse:1"},
        {"bad reverse value still answered", "$IIEPV,C,VD,0101,50,2", 0, "udp:EPV"},
        {"other property answered", "$IIEPV,C,VD,0101,7,x", 1, "nmea:1,EPV"},
        {"wrong system", "$IIEPV,C,II,0101,50,1", 0, ""},
        {"wrong instance", "$IIEPV,C,VD,0102,50,1", 0, ""},
        {"reply not answered", "$IIEPV,R,VD,0101,50,1", 0, ""},
        {"fixed long speed", "$IIEPV,C,VD,0101,1001,2.5", 0, "udp:ICM7 udp:EPV"},
        {"fixed transverse speed", "$IIEPV,C,VD,0101,1002,1.5", 0, "udp:ICM7 udp:EPV"},
        {"fixed speed not a number", "$IIEPV,C,VD,0101,1002,fast", 0, "udp:EPV"},
        {"property beyond the simulation's", "$IIEPV,C,VD,0101,1003,1.5", 0, "udp:EPV"},
        {"start simulation", "$IIEPV,C,VD,0101,1000,2", 0, "udp:ICM7 udp:EPV"},
    };
    for (const auto& [name, sentence, source, heard] : cases) {
        SCOPED_TRACE(name);
        Rig rig;
        rig.receive(sentence, source);
        EXPECT_EQ(rig.heard(), heard);
    }
}

TEST(ReceivedCommands, EpvReplyCarriesTheRequestedProperty) {
    Rig rig;
    rig.receive(QStringLiteral("$IIEPV,C,VD,0101,1001,2.5"), 2);
    ASSERT_EQ(rig.sent.size(), 2);
    const auto* reply = dynamic_cast<const MsgEPV*>(rig.sent.last().get());
    ASSERT_NE(reply, nullptr);
    EXPECT_EQ(QStringList({reply->sentenceStatusFlag(), reply->equipmType(), reply->uniqueIdentif(),
                           QString::number(reply->properNameIdentif()), reply->properValue()}),
              QStringList({"R", "VD", "0101", "1001", "2.5"}));
    EXPECT_EQ(setup()->simulationParameters.fixedSpeedLong, 2.5f);
    rig.receive(QStringLiteral("$IIEPV,C,VD,0101,1002,-0.5 $IIEPV,C,VD,0101,1000,3"), 2);
    EXPECT_EQ(setup()->simulationParameters.fixedSpeedTra, -0.5f);
    EXPECT_TRUE(setup()->simulationParameters.SimulationModeOn);
    EXPECT_EQ(setup()->simulationParameters.simulationSource, 2);
}

TEST(ReceivedCommands, RebootAndSensorHoursResetAreCarriedOut) {
    Rig rig;
    setup()->sensTimer.set(&SensorUpTimer_S::hourCount, 5);
    setup()->sensTimer.set(&SensorUpTimer_S::msgCount, 7);
    rig.receive(QStringLiteral("$PNRVRSH $PNRVICM,1,34"), 0);
    EXPECT_EQ(setup()->sensTimer.values().hourCount, 0);
    EXPECT_EQ(setup()->sensTimer.values().msgCount, 0);
    EXPECT_EQ(rig.root.readFile("/board_commands"), "reboot\n");
}

TEST(ReceivedCommands, RemoteDimmingCommandForwardedWhenSwitchedOn) {
    Rig rig;
    setup()->Kc40Setup.set(&KC40_Setup_S::remoteDDC, QStringLiteral("ON"));
    rig.receive(QStringLiteral("$IIDDC,D,50,D,R"));
    EXPECT_EQ(rig.heard(), "") << "a reply is not forwarded";
    rig.receive(QStringLiteral("$IIDDC,D,50,D,C"));
    EXPECT_EQ(rig.heard(), "udp:DDC");
}

TEST(ReceivedCommands, VersionRequestSchedulesTheVersionReport) {
    Rig rig;
    setup()->setSendVersionInfo(false);
    rig.receive(QStringLiteral("$IIVER,1,1,VD,NRV,0101,1,KC40,1.0,B1,0"));
    EXPECT_FALSE(setup()->getSendVersionInfo());
    rig.receive(QStringLiteral("$IIVER"));
    EXPECT_TRUE(setup()->getSendVersionInfo());
}

TEST(ReceivedCommands, MonitoringEchoFollowsTheChannelCommands) {
    Rig rig;
    rig.receive(QStringLiteral("$PNRVIDM,1,3,Nmea_2,StartInput $PNRVIDM,1,3,LAN,StartOutput "
                               "$PNRVIDM,1,3,Nmea_9,StartInput"));
    EXPECT_TRUE(rig.handler.monitorChannelInput(QStringLiteral("Nmea_2")));
    EXPECT_FALSE(rig.handler.monitorChannelOutput(QStringLiteral("Nmea_2")));
    EXPECT_TRUE(rig.handler.monitorChannelOutput(QStringLiteral("LAN")));
    EXPECT_FALSE(rig.handler.monitorChannelInput(QStringLiteral("Nmea_9")));
    rig.receive(QStringLiteral("$PNRVIDM,1,3,Nmea_2,StopInput $PNRVIDM,1,3,LAN,StopOutput"));
    EXPECT_FALSE(rig.handler.monitorChannelInput(QStringLiteral("Nmea_2")));
    EXPECT_FALSE(rig.handler.monitorChannelOutput(QStringLiteral("LAN")));
}

// A sentence too long for the line is counted; the counts go out as asked, each channel its
// own copy.
TEST(ReceivedErrorReports, AnswerAndResetAsAsked) {
    const std::tuple<const char*, int, const char*, quint32> cases[] = {
        {"latest code", 0, "ERRORCODE", 1},
        {"table", 1, "ERRORTABLE", 1},
        {"table then reset", 9, "ERRORTABLE", 0},
        {"other command ignored", 5, "", 1},
    };
    for (const auto& [name, command, answer, countAfter] : cases) {
        SCOPED_TRACE(name);
        Rig rig;
        QObject::connect(&H::errorCounter, &NmeaErrorCounter::sigError, ErrorCounter::getInstance(),
                         &ErrorCounter::slotErrors);
        rig.handler.handleReceived(
            NmeaMessagePtr(NmeaParser::parse("$GPTXT," + QString(90, 'A') + "*00\r\n")), 1);
        rig.receive(QStringLiteral("$PNRVTER,%1").arg(command), 0);
        const QString reply = QLatin1String(answer);
        EXPECT_EQ(
            rig.heard(),
            (reply.isEmpty() ? QString() : QStringLiteral("nmea:1,%1 nmea:2,%1 udp:%1").arg(reply))
                .toStdString());
        EXPECT_EQ(ErrorCounter::getInstance()->getErrorCountByID(ERR_TYPE_MSG_LENGTH), countAfter);
        for (const NmeaMessagePtr& m : rig.sent) {
            EXPECT_EQ(m.use_count(), 1) << "a copy of its own";
            if (const auto* code = dynamic_cast<const MsgERRORCODE*>(m.get())) {
                EXPECT_EQ(code->errorCode(), quint32(ERR_TYPE_MSG_LENGTH));
                EXPECT_EQ(code->errorCount(), 1u);
            } else {
                const auto& table = dynamic_cast<const MsgERRORTABLE&>(*m);
                const auto at = table.errorIDs().indexOf(ERR_TYPE_MSG_LENGTH);
                EXPECT_EQ(table.errorCounts().value(at), 1);
            }
        }
    }
}

TEST(ReceivedDistances, SetAndResetAsCommandedAndStored) {
    const QString sogStw = VQ2_Setup::kSogStw;
    const QString sogOnly = VQ2_Setup::kSogOnly;
    // The distances after the sentence: trip and total through the water, over ground and of the
    // older log; then the stored records of the water and the ground distances.
    const std::tuple<const char*, QString, const char*, const char*, const char*> cases[] = {
        {"set", sogStw, "$PNRVSTL,12,1234", "12 1234 12 1234 12 1234 | 12 1234 5 500", ""},
        {"set, older log", sogOnly, "$PNRVSTL,12,1234", "12 1234 12 1234 12 1234 | 12 1234 5 500",
         "vq1:12,1234"},
        {"empty", sogStw, "$PNRVSTL,,1234", "5 500 5 500 5 500 | 5 500 5 500", ""},
        {"negative", sogStw, "$PNRVSTL,-1.0,1234", "5 500 5 500 5 500 | 5 500 5 500", ""},
        {"water trip", sogStw, "$PNRVRSTT", "0 500 5 500 0 500 | 0 500 5 500", ""},
        {"water trip, older log", sogOnly, "$PNRVRSTT", "0 500 5 500 0 500 | 0 500 5 500",
         "vq1:0,500"},
        {"ground trip", sogStw, "$PNRVRSTTG", "5 500 0 500 5 500 | 5 500 0 500", ""},
        {"totals", sogStw, "$PNRVRSTO", "5 0 5 0 5 0 | 5 0 5 0", ""},
        {"totals, the older log keeps its trip", sogOnly, "$PNRVRSTO", "5 0 5 0 5 0 | 5 0 5 0",
         "vq1:5,0"},
    };
    for (const auto& [name, outputParams, sentence, expected, heard] : cases) {
        SCOPED_TRACE(name);
        Rig rig;
        setup()->Vq2Setup.set(&VQ2_Setup_S::outputParams, outputParams);
        setup()->TripTotalSetup.setTotalTrip(500.0f, 5.0f, false);
        setup()->triptotal_sog_setup.setTotalTrip(500.0f, 5.0f, false);
        SystemVariables* sv = store();
        const std::pair<varDouble*, varDouble*> kept[] = {
            {&sv->waterDistanceSinceReset, &sv->totalCumulativeWaterDistance},
            {&sv->groundDistanceSinceReset, &sv->totalCumulativeGroundDistance},
            {&sv->waterDistanceSinceResetVQ1, &sv->totalCumulativeWaterDistanceVQ1}};
        for (const auto& [trip, total] : kept) {
            trip->setValue(5.0, 1);
            total->setValue(500.0, 1);
        }
        rig.receive(sentence, 0);
        QStringList distances;
        for (const auto& [trip, total] : kept) {
            distances << number(trip->getValue()) << number(total->getValue());
        }
        SystemSetup::resetForTests(); // the records as the next start reads them
        distances << "|" << number(setup()->TripTotalSetup.values().tripDistance)
                  << number(setup()->TripTotalSetup.values().totalDistance)
                  << number(setup()->triptotal_sog_setup.values().tripDistance)
                  << number(setup()->triptotal_sog_setup.values().totalDistance);
        EXPECT_EQ(distances.join(' ').toStdString(), expected);
        EXPECT_EQ(rig.heard(), heard);
    }
}

const QString kDat4 = QStringLiteral("$PNRVDAT,4,10.0,9,0.0,9,21.0,0,0,0,10.0,9,0.0,9,20.0,20.0");

TEST(ReceivedSensorData, RoutedUnlessSomethingElseGivesTheSpeeds) {
    const std::tuple<const char*, QString, bool, int, bool, const char*> cases[] = {
        {"normal", VQ2_Setup::kSogStw, false, 0, false, "muted:0 sensorData:1"},
        {"raw data forwarded", VQ2_Setup::kSogStw, false, 0, true, "muted:0 sensorData:1 outputs"},
        {"sensor simulation counts", VQ2_Setup::kSogStw, true, 0, false, "muted:0 sensorData:1"},
        {"junction box simulation", VQ2_Setup::kSogStw, true, 1, false, ""},
        {"gps simulation", VQ2_Setup::kSogStw, true, 2, false, ""},
        {"satellite log", VQ2_Setup::kSatLog, false, 0, false, ""},
    };
    for (const auto& [name, outputParams, simulation, simulationSource, datr, heard] : cases) {
        SCOPED_TRACE(name);
        Rig rig;
        setup()->Vq2Setup.set(&VQ2_Setup_S::outputParams, outputParams);
        setup()->simulationParameters.SimulationModeOn = simulation;
        setup()->simulationParameters.simulationSource = simulationSource;
        rig.datrEnabled = datr;
        rig.handler.handleMessages(parsed(kDat4), H::kSourceSensor);
        rig.events.removeIf([](const QString& e) { return e.startsWith(QLatin1String("udp:")); });
        EXPECT_EQ(rig.heard(), heard);
        EXPECT_EQ(store()->msgDAT4.getValidity(), QByteArray(heard).size() > 0);
    }
}

TEST(ReceivedSensorData, SensorInformationUpdatesTheSetup) {
    // The firmware as sent; whether it has the features of 2.13 and runs its primary frequency
    // high.
    const std::tuple<const char*, bool, bool> cases[] = {
        {"212", false, false}, {"213", true, false}, {"299", true, false}, {"300", true, true}};
    for (const auto& [firmware, has213, high] : cases) {
        Rig rig;
        rig.handler.handleMessages(
            parsed(QStringLiteral("$PNRVSNF,4,150123,A9,%1,F1,F1,0.5,1.0,HI").arg(firmware)),
            H::kSourceSensor);
        EXPECT_EQ(setup()->sensTimer.values().serialNumber, QStringLiteral("150123"));
        EXPECT_EQ(SensorInfo::getInstance()->serialNumber, QStringLiteral("150123"));
        EXPECT_EQ(setup()->sensorFirmware213(), has213) << firmware;
        EXPECT_EQ(setup()->Vq2Setup.values().primaryFrequencyHigh, high) << firmware;
        EXPECT_TRUE(setup()->Vq2Setup.getNewSensorFirmware());
        EXPECT_TRUE(rig.events.contains(QStringLiteral("udp:ICM11")));
    }
}

TEST(ReceivedSensorData, TooManyWrongAnswersEndTheSensorSimulation) {
    const std::tuple<const char*, int, int, float, float, int, bool> cases[] = {
        {"twelve wrong after settling", 61, 12, 10.6f, 10.0f, 4, true},
        {"eleven wrong are tolerated", 61, 11, 10.6f, 10.0f, 4, false},
        {"settling answers not judged", 0, 71, 10.6f, 10.0f, 4, false},
        {"within half a knot", 61, 20, 10.5f, 10.0f, 4, false},
        {"ground too fast", 61, 12, 10.0f, 10.6f, 4, true},
        {"second frequency has no ground", 61, 12, 10.0f, 10.6f, 5, false},
    };
    for (const auto& [name, correct, wrong, water, ground, system, stops] : cases) {
        SensorSimulationCheck check;
        const MsgDAT good(system, 6.0f, 9, 8.0f, 9, 21.0f, 0, 0, 0, 6.0f, 9, 8.0f, 9, 20.0f, 20.0f);
        const MsgDAT bad(system, water, 9, 0.0f, 9, 21.0f, 0, 0, 0, ground, 9, 0.0f, 9, 20.0f,
                         20.0f);
        bool stopped = false;
        for (int i = 0; i < correct + wrong; ++i) {
            stopped = check.check(i < correct ? good : bad, 6.0f, 8.0f) || stopped;
        }
        EXPECT_EQ(stopped, stops) << name;
    }
}

TEST(ReceivedSensorData, SensorIgnoringTheSimulationSwitchesItOff) {
    Rig rig;
    SimulationParameters& simulation = setup()->simulationParameters;
    simulation.SimulationModeOn = true;
    simulation.simulationSource = SimulationParameters::SENSOR_FIXED_SPEED;
    simulation.fixedSpeedLong = 1.0f;
    simulation.fixedSpeedTra = 0.0f;
    for (int i = 0; i < 61 + 12; ++i) {
        rig.handler.handleMessages(parsed(kDat4), H::kSourceSensor);
    }
    EXPECT_FALSE(simulation.SimulationModeOn);
    EXPECT_TRUE(simulation.changeConfirmed);
    EXPECT_TRUE(rig.events.contains(QStringLiteral("udp:ICM7")));
    EXPECT_EQ(rig.handler.sensorSimulationCheck().sensorSimulationStarted(), 0);
}

} // namespace
