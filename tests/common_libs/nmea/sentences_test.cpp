#include "addresssentences.h"
#include "fixedsentences.h"
#include "msgalc.h"
#include "msgalf.h"
#include "msgalrs.h"
#include "msgarc.h"
#include "msgcfg.h"
#include "msgcur.h"
#include "msgdat.h"
#include "msgdlg.h"
#include "msgdli.h"
#include "msgdpt.h"
#include "msgepv.h"
#include "msgerrortable.h"
#include "msghbt.h"
#include "msghdt.h"
#include "msgicm.h"
#include "msgidm.h"
#include "msginfo.h"
#include "msgmtw.h"
#include "msgpng.h"
#include "msgqst.h"
#include "msgrot.h"
#include "msgrus.h"
#include "msgslp.h"
#include "msgsnf.h"
#include "msgsrp.h"
#include "msgtst.h"
#include "msgvbw.h"
#include "msgvbwf.h"
#include "msgvbwx.h"
#include "msgver.h"
#include "msgvhw.h"
#include "msgvlw.h"
#include "msgzda.h"
#include "nmeaparser.h"
#include "nmeasettings.h"
#include "olderlogsentence.h"
#include "sentencetesting.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

// Checksums in the expected texts were computed outside the project (XOR of the body bytes).
namespace {
const float kAbsent = kAbsentFloat;
const QString kDatFull =
    QStringLiteral("$PNRVDAT,4,+1.5,80,-0.3,75,+12.5,1,-2,3,+1.4,90,-0.2,88,12.3,12.4*79\r\n");

std::unique_ptr<MsgALC> alertList(int sequence, const QList<MsgSingleALC>& entries) {
    auto list = std::make_unique<MsgALC>();
    list->setSequentialIdentifier(sequence);
    for (const MsgSingleALC& entry : entries) {
        list->addSentence(entry);
    }
    return list;
}

Maker cfgr(int part, const QString& ip) {
    return [=] {
        auto report = std::make_unique<MsgCFGR>(part);
        report->setSystemType(1);
        report->setSystemName("BRIDGE");
        report->setSerialNo("1234");
        report->setFirmwareVer("1.2.1.2");
        report->setVq2_serNo("5678");
        report->setVq2_firmwVer("2.14");
        report->setIp(ip);
        report->setMac("00:11:22:33:44:55");
        report->setSfi("VD0101");
        report->setDestSfi("VD0102");
        report->setGroup(7);
        return report;
    };
}

// The VER answer always names the unit VD, whatever talker it is configured with.
std::unique_ptr<NmeaMessage> verUnderAnotherTalker() {
    NmeaSettings::setSourceSfi(QStringLiteral("GP0101"));
    auto ver =
        std::make_unique<MsgVER>(1, 1, "VD", "NRV", "ABC123", "42", "KC40", "1.2.1.2", "B", 7);
    NmeaSettings::setSourceSfi(QStringLiteral("VD0101"));
    return ver;
}

// Sentences are built with the unit's identifier VD0101 and two configured decimals: only the
// speed and distance fields take them.
class Sentences : public ::testing::Test {
protected:
    void SetUp() override {
        NmeaSettings::setSourceSfi(QStringLiteral("VD0101"));
        NmeaSettings::setNumberOfDecimals(2);
    }
    void TearDown() override { NmeaSettings::setNumberOfDecimals(1); }
};

// A received sentence, the class it reaches, some of its fields, and the text built from its
// fields with `decimals` (0: only relayed; an empty `rebuilt`: the received text again). The
// value constructor, where given, writes that same text.
struct ReadCase {
    const char* name;
    QString received;
    const char* type;
    const char* fields;
    int decimals;
    QString rebuilt{};
    Maker make{};
};

const ReadCase kReads[] = {
    {"Vbw", "$VDVBW,12.3,0.1,A,,,V,0.2,A,,V*4C\r\n", "VBW",
     "longitudinalWaterSpeed=12.3;longitudinalGroundSpeed=null;statusGroundSpeed=V", 2,
     "$VDVBW,12.30,0.10,A,,,V,0.20,A,,V*7C\r\n",
     make<MsgVBW>(12.3f, 0.1f, "A", kAbsent, kAbsent, "V", 0.2f, "A", kAbsent, "V")},
    {"VhwHeadingsKeepOneDecimal", "$VDVHW,123.4,T,120.1,M,12.34,N,22.85,K*48\r\n", "VHW",
     "degressMagnetic=120.1;speedKilometers=22.85", 2, "",
     make<MsgVHW>(123.4f, "T", 120.1f, "M", 12.34f, "N", 22.85f, "K")},
    {"VlwDistancesFollowDecimals", "$VDVLW,1234.5,N,12.3,N,1300.2,N,13.1,N*5D\r\n", "VLW",
     "groundDistSinceReset=13.1", 2, "$VDVLW,1234.50,N,12.30,N,1300.20,N,13.10,N*5D\r\n",
     make<MsgVLW>(1234.5f, "N", 12.3f, "N", 1300.2f, "N", 13.1f, "N")},
    {"DptAlwaysII", "$SDDPT,12.345,0.5,*4F\r\n", "DPT", "waterDepth=12.345;maximumDepth=null", 1,
     "$IIDPT,12.35,0.50,*5C\r\n", make<MsgDPT>(12.345f, 0.5f, kAbsent)},
    {"DptFurtherFieldsIgnored", "$SDDPT,12.3,0.5,100,X*0B\r\n", "DPT", "maximumDepth=100", 1,
     "$IIDPT,12.30,0.50,100.00*46\r\n"},
    {"Mtw", "$VDMTW,12.5,C*07\r\n", "MTW", "waterTemperature=12.5;unitOfMeasurement=C", 2, "",
     make<MsgMTW>(12.5f, "C")},
    {"HdtOneDecimal", "$VDHDT,123.4,T*34\r\n", "HDT", "headingDegrees=123.4", 2, "",
     make<MsgHDT>(123.44f, "T")},
    {"RotOneDecimal", "$VDROT,-3.5,A*1F\r\n", "ROT", "rateOfTurn=-3.5", 2, "",
     make<MsgROT>(-3.45f, "A")},
    {"CurOnlySpeedFollowsDecimals", "$VDCUR,A,1,2,5.0,123.4,T,1.23,10.0,45.0,T,B*65\r\n", "CUR",
     "layerNumber=2;CurrentDirectionIndegrees=123.4;currentSpeedInKnots=1.23", 2, "",
     make<MsgCUR>("A", 1, 2, 5.0f, 123.4f, "T", 1.23f, 10.0f, 45.0f, "T", "B")},
    {"RmcFull", "$GPRMC,120000.00,A,5430.12,N,01030.56,E,12.3,45.6,060326,1.2,E,A,S*4C\r\n", "RMC",
     "longitude=1030.56;navigationalStatus=S", 1,
     "$GPRMC,120000.00,A,5430.12,N,1030.56,E,12.3,45.6,060326,1.2,E,A,S*7C\r\n"},
    {"RmcTwelveLeavesModeEmpty",
     "$GPRMC,120000.00,A,5430.12,N,01030.56,E,12.3,45.6,060326,1.2,E,A*33\r\n", "RMC",
     "magVarEastOrWest=E;modeIndicator=", 1,
     "$GPRMC,120000.00,A,5430.12,N,1030.56,E,12.3,45.6,060326,1.2,E,,*6E\r\n"},
    {"GgaFull", "$GPGGA,120000.00,5430.12,N,01030.56,E,1,8,0.9,12.3,M,45.6,M,1.5,12*40\r\n", "GGA",
     "nrOfSatellitesInView=8;difRefStationID=12", 1,
     "$GPGGA,120000.00,5430.12,N,1030.56,E,1,8,0.9,12.3,M,45.6,M,1.5,12*70\r\n"},
    {"GgaTwelve", "$GPGGA,120000.00,5430.12,N,01030.56,E,1,8,0.9,12.3,M,45.6,M*69\r\n", "GGA",
     "ageOfGpsData=null", 1, "$GPGGA,120000.00,5430.12,N,1030.56,E,1,8,0.9,12.3,M,45.6,M,,*59\r\n"},
    {"VtgFull", "$GPVTG,45.6,T,43.2,M,12.3,N,22.8,K,A*29\r\n", "VTG",
     "speedKnots=12.3;modeIndicator=A", 1},
    {"GllSixKeepsTimeAndStatusEmpty", "$GPGLL,5430.12,N,01030.56,E,120000.00,A*07\r\n", "GLL",
     "latitude=5430.12;utcOfPosition=;status=", 1, "$GPGLL,5430.12,N,1030.56,E,,,*77\r\n"},
    {"GllFull", "$GPGLL,5430.12,N,01030.56,E,120000.00,A,A*6A\r\n", "GLL",
     "utcOfPosition=120000.00;status=A", 1, "$GPGLL,5430.12,N,1030.56,E,120000.00,A,A*5A\r\n"},
    {"HdgEmptyVariationDirection", "$HCHDG,120.5,1.5,E,2.0,*07\r\n", "HDG",
     "magneticDeviationEW=E;magneticVariationEW=", 1},
    {"Ths", "$HETHS,123.4,A*29\r\n", "THS", "headingDegrees=123.4", 1},
    {"ZdaTwoDigitDayMonthZone", "$VDZDA,120000.00,05,03,2024,00,30*61\r\n", "ZDA",
     "day=5;LocalZoneMinutes=30", 1, "", make<MsgZDA>("120000.00", 5, 3, 2024, 0, 30)},
    {"Ztg", "$GPZTG,120000.00,013000.00,WP1*45\r\n", "ZTG", "destinationWaypointID=WP1", 1},
    {"Alr", "$VDALR,120000.00,003,A,V,SENSOR LOST*5A\r\n", "ALR", "alarmDescription=SENSOR LOST",
     1},
    {"AlfFirstCarriesText", "$VDALF,1,1,0,120000.00,B,W,A,,007,1,1,0,SENSOR LOST*09\r\n", "ALF",
     "alertIdentifier=7;alertText=SENSOR LOST", 1, "",
     make<MsgALF>(1, 1, 0, "120000.00", "B", "W", "A", "", 7u, 1u, 1, 0, "SENSOR LOST")},
    {"AlfSecondCarriesDescription", "$VDALF,2,2,0,120000.00,B,W,A,,3015,1,1,0,CHECK CABLE*24\r\n",
     "ALF", "alertDescription=CHECK CABLE;alertText=<missing>", 1},
    {"Arc", "$VDARC,120000.00,,007,1,A*04\r\n", "ARC", "alertIdentifier=7", 1, "",
     make<MsgARC>("120000.00", "", 7u, 1u, "A")},
    {"Acn", "$CAACN,120000.00,,3015,1,A,C*57\r\n", "ACN", "alertIdentifier=3015;alertCommand=A", 1},
    {"AckEmptyIsAbsent", "$CAACK,*67\r\n", "ACK", "uniqueAlarmNumber=null", 1},
    {"Hbt", "$VDHBT,60,A,5*12\r\n", "HBT", "nHeartBeatCounter=5", 1, "", make<MsgHBT>(60, "A", 5)},
    {"EpvCommand", "$CAEPV,C,VD,123456,1,ON*0B\r\n", "EPV",
     "sentenceStatusFlag=C;properNameIdentif=1", 1},
    {"Alrs", "$PNRVALRS,0,SENSOR LOST,1,,0,,0,,0,,0*09\r\n", "ALRS",
     "lineOne=SENSOR LOST;statusLineOne=1", 1},
    {"Saf", "$PNRVSAF,1*53\r\n", "SAF", "outputFrom=1", 1},
    {"Blnk", "$PNRVBLNK,4,,ON*08\r\n", "BLNK", "pingOnOff=ON", 1},
    {"Mtwf", "$PNRVMTWF,12.5,C*49\r\n", "MTWF", "temperature=12.5", 1},
    {"AlmaSpeed", "$PNRV01,+12*1F\r\n", "01", "speedAverageWithDecimal=12", 1, "",
     make<MsgAlmaSpeed>(12.4f)},
    {"AlmaTemp", "$PNRV06,-3*2E\r\n", "06", "temperatureWithDecimal=-3", 1, "",
     make<MsgAlmaTemp>(-3.4f)},
    {"Dlr", "$PNRVDLR,12.34,0.12,12.35,0.6,12.30,0.10,12.31,0.5,12.1,1,0*70\r\n", "DLR",
     "bUsedGPS=true;bWC_fromGPS=false", 1},
    {"DliTripThreeDecimals", "$PNRVDLI,1234.56,12.345,1,12.3,12.4,12.5,12.6,12.4,8.5,12,30*4E\r\n",
     "DLI", "trip=12.345;minuts=30", 1, "",
     make<MsgDLI>(1234.56f, 12.345f, 1, 12.3f, 12.4f, 12.5f, 12.6f, 12.4f, 8.5f, "12", "30")},
    {"Dlm", "$PNRVDLM,-3.5,123.4,0.12,0.10,0.55,45.0,1,12.3,1.5,-0.5,44.0*42\r\n", "DLM",
     "pitch=-0.5", 1},
    {"Dlg", "$PNRVDLG,12.34,1.20,1,1*62\r\n", "DLG", "valTotalSOG=true", 1, "",
     make<MsgDLG>(12.34f, 1.2f, true, true)},
    {"Datr", "$PNRVDATR,5430.12,N,1030.56,E,120000.00,12.3,45.6,1.0,2,1500,1*3C\r\n", "DATR",
     "nCurrentSeaCalibDistance=1500", 1},
    {"Dptr", "$PNRVDPTR,12.3,0.5,15.3,3.5,120000.00*0D\r\n", "DPTR", "offsetSD=3.5", 1},
    {"Dtl", "$PNRVDTL,12.3,12.2,12.1,12.0,11.9,11.8,11.7*72\r\n", "DTL", "sogRes_ExpFilt=11.7", 1},
    {"VbwxOlderLogOneDecimal", "$PNRVVBWX,12.34,0.10,A,12.40,0.20,A,0.20,A,0.30,A,12.1,A*5D\r\n",
     "VBWX", "speedToWaterVQ1=12.1", 2, "",
     make<MsgVBWX>(12.34f, 0.1f, "A", 12.4f, 0.2f, "A", 0.2f, "A", 0.3f, "A", 12.1f, "A")},
    {"VbwfTakesFirstAndThird", "$PNRVVBWF,12.3,x,A,1,2,3,4,5,6,7*08\r\n", "VBWF",
     "forwardAvrSpeed=12.3;dataStatus=A", 2, "$PNRVVBWF,12.30,,A*5C\r\n",
     make<MsgVBWF>(12.3f, "A")},
    {"Stl", "$PNRVSTL,12.5,1234.5*56\r\n", "STL", "totalValue=1234.5", 1},
    {"GcfIgnoresFields", "$PNRVGCF,x*0C\r\n", "GCF", "", 1, "$PNRVGCF*58\r\n"},
    {"Rstt", "$PNRVRSTT*1B\r\n", "RSTT", "", 1},
    {"Rsttg", "$PNRVRSTTG*5C\r\n", "RSTTG", "", 1},
    {"ScfJoinsTheAddress", "$PNRVSCF,BRIDGE,192,168,1,5,VD0101,VD0102,255*63\r\n", "SCF",
     "ip=192.168.1.5;group=255", 1, "",
     make<MsgSCF>("BRIDGE", "192.168.1.5", "VD0101", "VD0102", 255)},
    {"Rcf", "$PNRVRCF,1,B,1,10,0,0,5,AB,VD0101,VD0102,1.2,7,5,2.1*39\r\n", "RCF",
     "ip=10.0.0.5;vq2_firmwVer=2.1", 1, "",
     make<MsgRCF>(1, "B", "1", "10.0.0.5", "AB", "VD0101", "VD0102", "1.2", 7, "5", "2.1")},
    {"MacaWithoutField", "$PNRVMACA*14\r\n", "MACA", "macAddress=", 1, "$PNRVMACA,*38\r\n"},
    {"ApprovedAcaIsMaca", "$GPACA,00:11:22:33:44:55*42\r\n", "MACA", "macAddress=00:11:22:33:44:55",
     0},
    {"Slp", "$PNRVSLP,VD0102,1*75\r\n", "SLP", "setToSleep=true", 1, "",
     make<MsgSLP>("VD0102", true)},
    {"Errorcode", "$PNRVERRORCODE,74,3*7F\r\n", "ERRORCODE", "errorCount=3", 1},
    {"Cppc", "$PNRVCPPC,1*07\r\n", "CPPC", "systemAck=1", 1},
    {"Vmpcgter", "$PNRVVMPCGTER,2*08\r\n", "VMPCGTER", "msgComand=2", 1},
    {"Sfs", "$PNRVSFS,ON,12.5,-0.5*6F\r\n", "SFS", "speedTrans=-0.5", 1},
    {"Tam", "$VDTAM,1*57\r\n", "TAM", "updateModeOn=1", 1},
    {"DdcFull", "$VDDDC,D,50,1,C*62\r\n", "DDC", "coulorPalette=1;statusFlag=C", 1},
    {"DdcThreeFields", "$VDDDC,D,50,1*0D\r\n", "DDC", "coulorPalette=1;statusFlag=", 1,
     "$VDDDC,D,50,1,*21\r\n"},
    {"DdcTwoFields", "$VDDDC,D,50*10\r\n", "DDC", "brightnes=50;coulorPalette=", 1,
     "$VDDDC,D,50,,*10\r\n"},
    {"AlcAcceptedAsReceived", "$VDALC,01,01,05,0*69\r\n", "ALC", "", 0, "",
     [] { return alertList(5, {}); }},
    {"DatFull", kDatFull, "DAT",
     "systemID=4;fwdSpeedWater=1.5;aftSpeedWater=-0.3;tiltY=-2;aftSpeedGround=-0.2;depthAft=12.4",
     1, "",
     make<MsgDAT>(4, 1.5f, 80, -0.3f, 75, 12.5f, 1, -2, 3, 1.4f, 90, -0.2f, 88, 12.3f, 12.4f)},
    {"DatSystem5ThroughTilt", "$PNRVDAT,5,+1.5,80,-0.3,75,+12.5,1,-2,3*77\r\n", "DAT",
     "tiltZ=3;fwdSpeedGround=null;depthFwd=null", 1},
    {"DatSystem1WaterOnly", "$PNRVDAT,1,+1.5,80,-0.3,75,+12.5*42\r\n", "DAT",
     "fTemperature=12.5;tiltX=null", 1},
    {"DatNumericSystem1", "$PNRVDAT,01,+1.5,80,-0.3,75,+12.5*72\r\n", "DAT", "systemID=1", 1,
     "$PNRVDAT,1,+1.5,80,-0.3,75,+12.5*42\r\n"},
    // The dispatch key is the identifier's last three characters.
    {"XdatIsDat", "$GPXDAT,4,+1.5,80,-0.3,75,+12.5,1,-2,3,+1.4,90,-0.2,88,12.3,12.4*2C\r\n", "DAT",
     "systemID=4", 0},
    {"CfgFullAnswerWritesWaterTrack", "$PNRVCFG,4,1,3,2,05,ABC,3,2,7,1*1E\r\n", "CFG",
     "wTrackRangeOffset=5;formats=ABC;pingMode=1", 1, "$PNRVCFG,4,1,3,2,05,ABC*19\r\n",
     make<MsgCFG>(4, 1, 3, 2, 5u, QStringLiteral("ABC"))},
    {"CfgShortAnswer", "$PNRVCFG,4,1*5D\r\n", "CFG", "mode=1;wTrackPowLev=null", 1,
     "$PNRVCFG,4,1,,,,*5D\r\n"},
    {"TstFull", "$PNRVTST,4,1,+05.2,V,0101*04\r\n", "TST", "requiredSpeed=5.2;outputsEnabled=0101",
     1, "", make<MsgTST>(4, 1, 5.2f, QStringLiteral("V"), QStringLiteral("0101"))},
    {"TstShortDefaultsItsMask", "$PNRVTST,4,0*4D\r\n", "TST",
     "onOff=0;requiredSpeed=0;outputsEnabled=0000", 1, "$PNRVTST,4,0,+00.0,,0000*54\r\n"},
    {"SnfInformationWrongChecksum", "$PNRVSNF,4,12345,B1,214,H,H,0.5,1.0,2*00\r\n", "SNF",
     "sentenceType=1;serialNumber=12345;firmwereRev=2.14;frequencyInfo=2", 1, "$PNRVSNF,1,*70\r\n",
     make<MsgSNF>(1)},
    {"SnfEmptyRevisionStaysAbsent", "$PNRVSNF,4,12345,B1,,H,H,0.5,1.0,2*2D\r\n", "SNF",
     "firmwereRev=null", 1, "$PNRVSNF,1,*70\r\n"},
    {"SnfTilt", "$PNRVSNF,1,0,10,20,30,11,21,31,12,22,32*6F\r\n", "SNF",
     "sentenceType=2;offsetX=10;curveZ=32", 1, "$PNRVSNF,2,*73\r\n"},
    {"Png", "$PNRVPNG,4*5B\r\n", "PNG", "systemID=4", 1, "", make<MsgPNG>(4)},
    {"IcmCarriesItsCommandInItsType", "$PNRVICM,1,15,1,9600,2*48\r\n", "ICM15",
     "messageVersion=1;msgParameters=1|9600|2", 1, "",
     make<MsgICM>(1, msgCommands::OCFsetupCommand, QList<int>{1, 9600, 2})},
    {"IcmWithoutParameters", "$PNRVICM,1,15*68\r\n", "ICM15", "msgParameters=", 1},
    {"Idm", "$PNRVIDM,1,3,ABC,DEF*5F\r\n", "IDM3", "msgParameters=ABC|DEF", 1},
    {"VerAlwaysBuiltAsVD", "$GPVER,1,1,VD,NRV,ABC123,42,KC40,1.2.1.2,B,7*2F\r\n", "VER",
     "uniqueIdentifier=ABC123;sequentialMessageIdentifier=7", 1,
     "$VDVER,1,1,VD,NRV,ABC123,42,KC40,1.2.1.2,B,7*2A\r\n", verUnderAnotherTalker},
    {"VerRequest", "$ECVER*47\r\n", "VER", "uniqueIdentifier=Request", 1,
     "$VDVER,,,,,Request,,,,,*02\r\n"},
    {"SrpIgnoresFurtherFields", "$VDSRP,2,00:11:22:33:44:55,192.168.1.5,X*3C\r\n", "SRP",
     "instanceNo=2;strIP=192.168.1.5", 1, "$VDSRP,2,00:11:22:33:44:55,192.168.1.5*48\r\n"},
};

TEST_F(Sentences, ReceivedAreReadRelayedUnchangedAndRebuilt) {
    for (const ReadCase& c : kReads) {
        SCOPED_TRACE(c.name);
        const auto message = NmeaParser::parse(c.received);
        EXPECT_EQ(message->errorType(), NO_ERROR);
        EXPECT_EQ(message->fullType(), QLatin1String(c.type));
        expectFields(*message, c.fields);
        EXPECT_EQ(message->getMsgBuffer(), c.received);
        const QString built = c.rebuilt.isEmpty() ? c.received : c.rebuilt;
        if (c.decimals > 0) {
            message->setNumber_of_decimals(c.decimals);
            EXPECT_EQ(message->getMsgBuffer(), built);
        }
        if (c.make) {
            EXPECT_EQ(c.make()->getMsgBuffer(), built) << "from values";
        }
    }
}

const std::pair<const char*, QString> kRejects[] = {
    {"VbwNine", "$VDVBW,1,2,A,3,4,A,5,A,6\r\n"},
    {"VbwOldSixField", "$VDVBW,1,2,A,3,4,A\r\n"},
    {"DptOlderTwoField", "$SDDPT,12.3,0.5\r\n"},
    {"HdgVariationX", "$HCHDG,120.5,1.5,E,2.0,X\r\n"},
    {"HdgDeviationLower", "$HCHDG,120.5,1.5,e,2.0,W\r\n"},
    {"RmcTen", "$GPRMC,1,A,2,N,3,E,4,5,6,7\r\n"},
    {"GgaEleven", "$GPGGA,1,2,N,3,E,1,8,0.9,12.3,M,45.6\r\n"},
    {"VtgSeven", "$GPVTG,1,T,2,M,3,N,4\r\n"},
    {"GllThree", "$GPGLL,1,N,2\r\n"},
    {"ZdaFour", "$GPZDA,1,05,03,2024\r\n"},
    {"AckTwo", "$CAACK,1,2\r\n"},
    {"EpvStatusX", "$CAEPV,X,VD,123456,1,ON\r\n"},
    {"HbtStatusB", "$VDHBT,60,B,5\r\n"},
    {"BlnkLowerCase", "$PNRVBLNK,4,,on\r\n"},
    {"ScfGroup256", "$PNRVSCF,BRIDGE,192,168,1,5,VD0101,VD0102,256\r\n"},
    {"ScfGroupNegative", "$PNRVSCF,BRIDGE,192,168,1,5,VD0101,VD0102,-1\r\n"},
    {"ScfSeven", "$PNRVSCF,BRIDGE,192,168,1,VD0101,VD0102,7\r\n"},
    {"DlgFlagTwo", "$PNRVDLG,12.34,1.20,2,1\r\n"},
    {"ErrorcodeNegative", "$PNRVERRORCODE,-1,3\r\n"},
    {"DdcOne", "$VDDDC,D\r\n"},
    {"AlrsTen", "$PNRVALRS,0,A,1,,0,,0,,0,\r\n"},
    {"TamText", "$VDTAM,x\r\n"},
    {"AlmaSpeedText", "$PNRV01,x\r\n"},
    {"HdtNotANumber", "$GPHDT,12a,T\r\n"},
    {"AlfTwelve", "$VDALF,1,1,0,120000.00,B,W,A,,007,1,1\r\n"},
    {"VbwfThree", "$PNRVVBWF,12.3,,A\r\n"},
    {"RcfOddCount", "$PNRVRCF,1,BRIDGE,1234,192,168,1\r\n"},
    {"StlOne", "$PNRVSTL,12.5\r\n"},
    {"DatSystem1TooShort", "$PNRVDAT,1,2\r\n"},
    {"DatNoFields", "$PNRVDAT\r\n"},
    {"DatSystem2With14", "$PNRVDAT,2,1,2,3,4,5,6,7,8,9,10,11,12,13\r\n"},
    {"DatSystem5With15", "$PNRVDAT,5,1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"},
    {"DatUnknownSystem", "$PNRVDAT,6,1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"},
    {"DatNumericSystem1With7", "$PNRVDAT,01,1,2,3,4,5,6\r\n"},
    {"DatBadNumber", "$PNRVDAT,1,+1.x,80,-0.3,75,+12.5\r\n"},
    {"CfgAsWritten", "$PNRVCFG,4,1,3,2,05,ABC*19\r\n"},
    {"TstMaskNotBinary", "$PNRVTST,4,1,+05.2,V,0201\r\n"},
    {"TstThreeFields", "$PNRVTST,4,1,+05.2\r\n"},
    {"SnfRequestForm", "$PNRVSNF,1,*70\r\n"},
    {"PngNotANumber", "$PNRVPNG,x\r\n"},
    {"PngTwoFields", "$PNRVPNG,4,5\r\n"},
    {"IcmVersionOnly", "$PNRVICM,1\r\n"},
    {"IcmTextParameter", "$PNRVICM,1,15,a\r\n"},
    {"IdmVersionOnly", "$PNRVIDM,1\r\n"},
    {"VerTwoFields", "$GPVER,1,2\r\n"},
    {"VerOneEmptyField", "$GPVER,\r\n"},
    {"SrpTwoFields", "$VDSRP,1,2\r\n"},
};

TEST(RejectedSentence, ReachesItsClassAndGivesFormatError) {
    for (const auto& [name, received] : kRejects) {
        const auto message = NmeaParser::parse(received);
        EXPECT_EQ(message->errorType(), ERR_NMEA_FORMAT) << name;
        EXPECT_NE(message->messageTypeHash(), 0u) << name;
    }
}

const std::tuple<const char*, Maker, QString> kBuilds[] = {
    {"AlfSecondWritesDescription",
     make<MsgALF>(2, 2, 0, "120000.00", "B", "W", "A", "", 7u, 1u, 1, 0, "CHECK\r\nCABLE"),
     "$VDALF,2,2,0,120000.00,B,W,A,,007,1,1,0,CHECK  CABLE*34\r\n"},
    {"AlcTwoEntries",
     [] {
         return alertList(12, {{"", 3032, 1, 3}, {"", 3015, 5, 1}});
     },
     "$VDALC,01,01,12,2,,3032,1,3,,3015,5,1*6E\r\n"},
    {"EpvAlwaysAReply", make<MsgEPV>("VD", "123456", 1, "ON"), "$VDEPV,R,VD,123456,1,ON*0A\r\n"},
    {"AlrsTextCannotBreakFraming", make<MsgALRS>(0, "LOST$SENSOR", 1, "", 0, "", 0, "", 0, "", 0),
     "$PNRVALRS,0,LOST SENSOR,1,,0,,0,,0,,0*09\r\n"},
    {"StaFixed", make<MsgSTA>(), "$PNRVSTA,4,0,2,4,7,2,0,0,P*27\r\n"},
    {"RcfOddAddressFourEmptyFields",
     make<MsgRCF>(1, "BRIDGE", "1234", "192.168.1", "00:11:22:33:44:55", "VD0101", "VD0102",
                  "1.2.1.2", 7, "5678", "2.14"),
     "$PNRVRCF,1,BRIDGE,1234,,,,,00:11:22:33:44:55,VD0101,VD0102,1.2.1.2,7,5678,2.14*52\r\n"},
    {"CfgrIdentityPart", cfgr(1, ""), "$PNRVCFGR,1,1,BRIDGE,1234,1.2.1.2,5678,2.14*06\r\n"},
    {"CfgrNetworkPartBadAddress", cfgr(2, "192.168.1.5.9"),
     "$PNRVCFGR,2,,,,,00:11:22:33:44:55,VD0101,VD0102,7*1A\r\n"},
    {"CfgrNetworkPart", cfgr(2, "192.168.1.5"),
     "$PNRVCFGR,2,192,168,1,5,00:11:22:33:44:55,VD0101,VD0102,7*1B\r\n"},
    {"ErrortableUnfilledPairsEmpty", make<MsgERRORTABLE>(QList<int>{74, 76}, QList<int>{3, 12}),
     "$PNRVERRORTABLE,74,3,76,12,,,,,,,,,,,,,,,,,,,,,,,,,,*2E\r\n"},
    {"Qst", make<MsgQST>(1, 2, 3, 4, 5, 6, 1, 0), "$PNRVQST,1,2,3,4,5,6,1,0*4A\r\n"},
    {"Ovf", make<MsgOvf>(), "$VDOVF,1*50\r\n"},
    {"Info", make<MsgINFO>(4, "SENSOR OK"), "$PNRVINFO,4,SENSOR OK*12\r\n"},
    {"RusTextCannotBreakFraming", make<MsgRUS>(1u, 50u, QStringLiteral("UPLOAD*OK")),
     "$PNRVRUS,1,50,UPLOAD OK*71\r\n"},
    {"IdmParametersCannotBreakFraming", make<MsgIDM>(1, 3, QStringList{"A$B", "C"}),
     "$PNRVIDM,1,3,A B,C*38\r\n"},
    {"SrpInstanceZero", make<MsgSRP>("00:11:22:33:44:55", "192.168.1.5"),
     "$VDSRP,0,00:11:22:33:44:55,192.168.1.5*4A\r\n"},
};

TEST_F(Sentences, BuiltFromValuesAreWritten) {
    for (const auto& [name, make, expected] : kBuilds) {
        EXPECT_EQ(make()->getMsgBuffer(), expected) << name;
    }
}

TEST_F(Sentences, AlertListTooLongForOneSentenceIsSplit) {
    QList<MsgSingleALC> entries;
    for (int id = 3032; id < 3038; ++id) {
        entries.append(MsgSingleALC("NRV", id, 10, 12));
    }
    const auto list = alertList(12, entries);
    const QStringList sentences = list->sentences();
    EXPECT_EQ(
        sentences,
        QStringList(
            {"$VDALC,02,01,12,4,NRV,3032,10,12,NRV,3033,10,12,NRV,3034,10,12,NRV,3035,10,12*68\r\n",
             "$VDALC,02,02,12,2,NRV,3036,10,12,NRV,3037,10,12*6C\r\n"}));
    EXPECT_EQ(list->getMsgBuffer(), sentences.join(QString()));
}

// A changed field drops the received text; a changed command changes the type; a copy keeps
// the fields of the derived class.
TEST(SentenceObject, ChangesAndCopiesShowInTheText) {
    const auto message = NmeaParser::parse(QStringLiteral("$PNRVPNG,4*5B\r\n"));
    auto* png = dynamic_cast<MsgPNG*>(message.get());
    ASSERT_NE(png, nullptr);
    png->setSystemID(5);
    EXPECT_EQ(png->getMsgBuffer(), "$PNRVPNG,5*5A\r\n");

    MsgICM icm(1, msgCommands::MsgAck);
    EXPECT_EQ(icm.fullType(), "ICM0");
    icm.setCommandID(static_cast<int>(msgCommands::StandbyNegotiationWakeUpAll));
    EXPECT_EQ(icm.fullType(), "ICM98");

    const MsgIDM original(1, 2, {"x", "y"});
    const auto copy = original.clone();
    EXPECT_EQ(copy->getMsgBuffer(), original.getMsgBuffer());
    EXPECT_EQ(copy->fullType(), "IDM2");
}
} // namespace
