#include "addresssentences.h"
#include "casename.h"
#include "fixedsentences.h"
#include "msgack.h"
#include "msgacn.h"
#include "msgalc.h"
#include "msgalf.h"
#include "msgalr.h"
#include "msgalrs.h"
#include "msgarc.h"
#include "msgblnk.h"
#include "msgcppc.h"
#include "msgcur.h"
#include "msgdatr.h"
#include "msgddc.h"
#include "msgdlg.h"
#include "msgdli.h"
#include "msgdlm.h"
#include "msgdlr.h"
#include "msgdpt.h"
#include "msgdptr.h"
#include "msgdtl.h"
#include "msgepv.h"
#include "msgerrorcode.h"
#include "msgerrortable.h"
#include "msggga.h"
#include "msggll.h"
#include "msghbt.h"
#include "msghdg.h"
#include "msghdt.h"
#include "msginfo.h"
#include "msgmaca.h"
#include "msgmtw.h"
#include "msgmtwf.h"
#include "msgmwv.h"
#include "msgqst.h"
#include "msgrmc.h"
#include "msgrot.h"
#include "msgsaf.h"
#include "msgsfs.h"
#include "msgslp.h"
#include "msgstl.h"
#include "msgtam.h"
#include "msgths.h"
#include "msgvbw.h"
#include "msgvbwf.h"
#include "msgvbwx.h"
#include "msgvhw.h"
#include "msgvlw.h"
#include "msgvmpcgter.h"
#include "msgvtg.h"
#include "msgzda.h"
#include "msgztg.h"
#include "nmeaparser.h"
#include "nmeasettings.h"
#include "olderlogsentence.h"
#include "sentencetesting.h"

#include <gtest/gtest.h>

#include <functional>

// Checksums in the expected texts were computed outside the project (XOR of the body bytes).
namespace {
struct CatalogueCase {
    const char* name;
    QString received;
    const char* type;
    ExpectedFields fields;
    int decimals; // 0: the sentence is only relayed, never rebuilt
    QString rebuilt;
};
void PrintTo(const CatalogueCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class CatalogueRoundTrip : public ::testing::TestWithParam<CatalogueCase> {};

TEST_P(CatalogueRoundTrip, ReadsFieldsAndRebuilds) {
    const CatalogueCase& c = GetParam();
    const auto message = NmeaParser::parse(c.received);
    ASSERT_EQ(message->errorType(), NO_ERROR) << c.name;
    EXPECT_EQ(message->fullType(), QLatin1String(c.type)) << c.name;
    expectFields(*message, c.fields, c.name);
    EXPECT_EQ(message->getMsgBuffer(), c.received) << c.name << ": relayed unchanged";
    if (c.decimals > 0) {
        EXPECT_EQ(rebuilt(*message, c.decimals), c.rebuilt) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sentences, CatalogueRoundTrip,
    ::testing::Values(
        CatalogueCase{"Vbw",
                      "$VDVBW,12.3,0.1,A,,,V,0.2,A,,V*4C\r\n",
                      "VBW",
                      {{"longitudinalWaterSpeed", "12.3"},
                       {"longitudinalGroundSpeed", "null"},
                       {"statusGroundSpeed", "V"}},
                      2,
                      "$VDVBW,12.30,0.10,A,,,V,0.20,A,,V*7C\r\n"},
        CatalogueCase{"VhwHeadingsKeepOneDecimal",
                      "$VDVHW,123.4,T,120.1,M,12.34,N,22.85,K*48\r\n",
                      "VHW",
                      {{"degressMagnetic", "120.1"}, {"speedKilometers", "22.85"}},
                      2,
                      "$VDVHW,123.4,T,120.1,M,12.34,N,22.85,K*48\r\n"},
        CatalogueCase{"Vlw",
                      "$VDVLW,1234.5,N,12.3,N,1300.2,N,13.1,N*5D\r\n",
                      "VLW",
                      {{"groundDistSinceReset", "13.1"}},
                      1,
                      "$VDVLW,1234.5,N,12.3,N,1300.2,N,13.1,N*5D\r\n"},
        CatalogueCase{"DptAlwaysII",
                      "$SDDPT,12.345,0.5,*4F\r\n",
                      "DPT",
                      {{"waterDepth", "12.345"}, {"maximumDepth", "null"}},
                      1,
                      "$IIDPT,12.35,0.50,*5C\r\n"},
        CatalogueCase{"DptFurtherFieldsIgnored",
                      "$SDDPT,12.3,0.5,100,X*0B\r\n",
                      "DPT",
                      {{"maximumDepth", "100"}},
                      1,
                      "$IIDPT,12.30,0.50,100.00*46\r\n"},
        CatalogueCase{"Mtw",
                      "$VDMTW,12.5,C*07\r\n",
                      "MTW",
                      {{"waterTemperature", "12.5"}, {"unitOfMeasurement", "C"}},
                      2,
                      "$VDMTW,12.5,C*07\r\n"},
        CatalogueCase{"Hdt",
                      "$GPHDT,123.4,T*31\r\n",
                      "HDT",
                      {{"headingDegrees", "123.4"}},
                      2,
                      "$GPHDT,123.4,T*31\r\n"},
        CatalogueCase{"Rot",
                      "$TIROT,-3.5,A*10\r\n",
                      "ROT",
                      {{"rateOfTurn", "-3.5"}},
                      2,
                      "$TIROT,-3.5,A*10\r\n"},
        CatalogueCase{"CurOnlySpeedFollowsDecimals",
                      "$VDCUR,A,1,2,5.0,123.4,T,1.23,10.0,45.0,T,B*65\r\n",
                      "CUR",
                      {{"layerNumber", "2"},
                       {"CurrentDirectionIndegrees", "123.4"},
                       {"currentSpeedInKnots", "1.23"}},
                      2,
                      "$VDCUR,A,1,2,5.0,123.4,T,1.23,10.0,45.0,T,B*65\r\n"},
        CatalogueCase{"RmcFull",
                      "$GPRMC,120000.00,A,5430.12,N,01030.56,E,12.3,45.6,060326,1.2,E,A,S*4C\r\n",
                      "RMC",
                      {{"longitude", "1030.56"}, {"navigationalStatus", "S"}},
                      1,
                      "$GPRMC,120000.00,A,5430.12,N,1030.56,E,12.3,45.6,060326,1.2,E,A,S*7C\r\n"},
        CatalogueCase{"RmcTwelveLeavesModeEmpty",
                      "$GPRMC,120000.00,A,5430.12,N,01030.56,E,12.3,45.6,060326,1.2,E,A*33\r\n",
                      "RMC",
                      {{"magVarEastOrWest", "E"}, {"modeIndicator", ""}},
                      1,
                      "$GPRMC,120000.00,A,5430.12,N,1030.56,E,12.3,45.6,060326,1.2,E,,*6E\r\n"},
        CatalogueCase{"GgaFull",
                      "$GPGGA,120000.00,5430.12,N,01030.56,E,1,8,0.9,12.3,M,45.6,M,1.5,12*40\r\n",
                      "GGA",
                      {{"nrOfSatellitesInView", "8"}, {"difRefStationID", "12"}},
                      1,
                      "$GPGGA,120000.00,5430.12,N,1030.56,E,1,8,0.9,12.3,M,45.6,M,1.5,12*70\r\n"},
        CatalogueCase{"GgaTwelve",
                      "$GPGGA,120000.00,5430.12,N,01030.56,E,1,8,0.9,12.3,M,45.6,M*69\r\n",
                      "GGA",
                      {{"ageOfGpsData", "null"}},
                      1,
                      "$GPGGA,120000.00,5430.12,N,1030.56,E,1,8,0.9,12.3,M,45.6,M,,*59\r\n"},
        CatalogueCase{"VtgFull",
                      "$GPVTG,45.6,T,43.2,M,12.3,N,22.8,K,A*29\r\n",
                      "VTG",
                      {{"speedKnots", "12.3"}, {"modeIndicator", "A"}},
                      1,
                      "$GPVTG,45.6,T,43.2,M,12.3,N,22.8,K,A*29\r\n"},
        CatalogueCase{"GllSixKeepsTimeAndStatusEmpty",
                      "$GPGLL,5430.12,N,01030.56,E,120000.00,A*07\r\n",
                      "GLL",
                      {{"latitude", "5430.12"}, {"utcOfPosition", ""}, {"status", ""}},
                      1,
                      "$GPGLL,5430.12,N,1030.56,E,,,*77\r\n"},
        CatalogueCase{"GllFull",
                      "$GPGLL,5430.12,N,01030.56,E,120000.00,A,A*6A\r\n",
                      "GLL",
                      {{"utcOfPosition", "120000.00"}, {"status", "A"}},
                      1,
                      "$GPGLL,5430.12,N,1030.56,E,120000.00,A,A*5A\r\n"},
        CatalogueCase{"HdgEmptyVariationDirection",
                      "$HCHDG,120.5,1.5,E,2.0,*07\r\n",
                      "HDG",
                      {{"magneticDeviationEW", "E"}, {"magneticVariationEW", ""}},
                      1,
                      "$HCHDG,120.5,1.5,E,2.0,*07\r\n"},
        CatalogueCase{"Ths",
                      "$HETHS,123.4,A*29\r\n",
                      "THS",
                      {{"headingDegrees", "123.4"}},
                      1,
                      "$HETHS,123.4,A*29\r\n"},
        CatalogueCase{"ZdaFull",
                      "$GPZDA,120000.00,05,03,2024,00,30*64\r\n",
                      "ZDA",
                      {{"day", "5"}, {"LocalZoneMinutes", "30"}},
                      1,
                      "$GPZDA,120000.00,05,03,2024,00,30*64\r\n"},
        CatalogueCase{"Ztg",
                      "$GPZTG,120000.00,013000.00,WP1*45\r\n",
                      "ZTG",
                      {{"destinationWaypointID", "WP1"}},
                      1,
                      "$GPZTG,120000.00,013000.00,WP1*45\r\n"},
        CatalogueCase{"Alr",
                      "$VDALR,120000.00,003,A,V,SENSOR LOST*5A\r\n",
                      "ALR",
                      {{"alarmDescription", "SENSOR LOST"}},
                      1,
                      "$VDALR,120000.00,003,A,V,SENSOR LOST*5A\r\n"},
        CatalogueCase{"AlfFirstCarriesText",
                      "$VDALF,1,1,0,120000.00,B,W,A,,007,1,1,0,SENSOR LOST*09\r\n",
                      "ALF",
                      {{"alertIdentifier", "7"}, {"alertText", "SENSOR LOST"}},
                      1,
                      "$VDALF,1,1,0,120000.00,B,W,A,,007,1,1,0,SENSOR LOST*09\r\n"},
        CatalogueCase{"AlfSecondCarriesDescription",
                      "$VDALF,2,2,0,120000.00,B,W,A,,3015,1,1,0,CHECK CABLE*24\r\n",
                      "ALF",
                      {{"alertDescription", "CHECK CABLE"}, {"alertText", "<missing>"}},
                      1,
                      "$VDALF,2,2,0,120000.00,B,W,A,,3015,1,1,0,CHECK CABLE*24\r\n"},
        CatalogueCase{"Arc",
                      "$VDARC,120000.00,,007,1,A*04\r\n",
                      "ARC",
                      {{"alertIdentifier", "7"}},
                      1,
                      "$VDARC,120000.00,,007,1,A*04\r\n"},
        CatalogueCase{"Acn",
                      "$CAACN,120000.00,,3015,1,A,C*57\r\n",
                      "ACN",
                      {{"alertIdentifier", "3015"}, {"alertCommand", "A"}},
                      1,
                      "$CAACN,120000.00,,3015,1,A,C*57\r\n"},
        CatalogueCase{"AckEmptyIsAbsent",
                      "$CAACK,*67\r\n",
                      "ACK",
                      {{"uniqueAlarmNumber", "null"}},
                      1,
                      "$CAACK,*67\r\n"},
        CatalogueCase{"Hbt",
                      "$VDHBT,60,A,5*12\r\n",
                      "HBT",
                      {{"nHeartBeatCounter", "5"}},
                      1,
                      "$VDHBT,60,A,5*12\r\n"},
        CatalogueCase{"EpvCommand",
                      "$CAEPV,C,VD,123456,1,ON*0B\r\n",
                      "EPV",
                      {{"sentenceStatusFlag", "C"}, {"properNameIdentif", "1"}},
                      1,
                      "$CAEPV,C,VD,123456,1,ON*0B\r\n"},
        CatalogueCase{"Alrs",
                      "$PNRVALRS,0,SENSOR LOST,1,,0,,0,,0,,0*09\r\n",
                      "ALRS",
                      {{"lineOne", "SENSOR LOST"}, {"statusLineOne", "1"}},
                      1,
                      "$PNRVALRS,0,SENSOR LOST,1,,0,,0,,0,,0*09\r\n"},
        CatalogueCase{
            "Saf", "$PNRVSAF,1*53\r\n", "SAF", {{"outputFrom", "1"}}, 1, "$PNRVSAF,1*53\r\n"},
        CatalogueCase{"Blnk",
                      "$PNRVBLNK,4,,ON*08\r\n",
                      "BLNK",
                      {{"pingOnOff", "ON"}},
                      1,
                      "$PNRVBLNK,4,,ON*08\r\n"},
        CatalogueCase{"Mtwf",
                      "$PNRVMTWF,12.5,C*49\r\n",
                      "MTWF",
                      {{"temperature", "12.5"}},
                      1,
                      "$PNRVMTWF,12.5,C*49\r\n"},
        CatalogueCase{"AlmaSpeed",
                      "$PNRV01,+12*1F\r\n",
                      "01",
                      {{"speedAverageWithDecimal", "12"}},
                      1,
                      "$PNRV01,+12*1F\r\n"},
        CatalogueCase{"AlmaTemp",
                      "$PNRV06,-3*2E\r\n",
                      "06",
                      {{"temperatureWithDecimal", "-3"}},
                      1,
                      "$PNRV06,-3*2E\r\n"},
        CatalogueCase{"Dlr",
                      "$PNRVDLR,12.34,0.12,12.35,0.6,12.30,0.10,12.31,0.5,12.1,1,0*70\r\n",
                      "DLR",
                      {{"bUsedGPS", "true"}, {"bWC_fromGPS", "false"}},
                      1,
                      "$PNRVDLR,12.34,0.12,12.35,0.6,12.30,0.10,12.31,0.5,12.1,1,0*70\r\n"},
        CatalogueCase{"DliTripThreeDecimals",
                      "$PNRVDLI,1234.56,12.345,1,12.3,12.4,12.5,12.6,12.4,8.5,12,30*4E\r\n",
                      "DLI",
                      {{"trip", "12.345"}, {"minuts", "30"}},
                      1,
                      "$PNRVDLI,1234.56,12.345,1,12.3,12.4,12.5,12.6,12.4,8.5,12,30*4E\r\n"},
        CatalogueCase{"Dlm",
                      "$PNRVDLM,-3.5,123.4,0.12,0.10,0.55,45.0,1,12.3,1.5,-0.5,44.0*42\r\n",
                      "DLM",
                      {{"pitch", "-0.5"}},
                      1,
                      "$PNRVDLM,-3.5,123.4,0.12,0.10,0.55,45.0,1,12.3,1.5,-0.5,44.0*42\r\n"},
        CatalogueCase{"Dlg",
                      "$PNRVDLG,12.34,1.20,1,1*62\r\n",
                      "DLG",
                      {{"valTotalSOG", "true"}},
                      1,
                      "$PNRVDLG,12.34,1.20,1,1*62\r\n"},
        CatalogueCase{"Datr",
                      "$PNRVDATR,5430.12,N,1030.56,E,120000.00,12.3,45.6,1.0,2,1500,1*3C\r\n",
                      "DATR",
                      {{"nCurrentSeaCalibDistance", "1500"}},
                      1,
                      "$PNRVDATR,5430.12,N,1030.56,E,120000.00,12.3,45.6,1.0,2,1500,1*3C\r\n"},
        CatalogueCase{"Dptr",
                      "$PNRVDPTR,12.3,0.5,15.3,3.5,120000.00*0D\r\n",
                      "DPTR",
                      {{"offsetSD", "3.5"}},
                      1,
                      "$PNRVDPTR,12.3,0.5,15.3,3.5,120000.00*0D\r\n"},
        CatalogueCase{"Dtl",
                      "$PNRVDTL,12.3,12.2,12.1,12.0,11.9,11.8,11.7*72\r\n",
                      "DTL",
                      {{"sogRes_ExpFilt", "11.7"}},
                      1,
                      "$PNRVDTL,12.3,12.2,12.1,12.0,11.9,11.8,11.7*72\r\n"},
        CatalogueCase{"VbwxOlderLogOneDecimal",
                      "$PNRVVBWX,12.34,0.10,A,12.40,0.20,A,0.20,A,0.30,A,12.1,A*5D\r\n",
                      "VBWX",
                      {{"speedToWaterVQ1", "12.1"}},
                      2,
                      "$PNRVVBWX,12.34,0.10,A,12.40,0.20,A,0.20,A,0.30,A,12.1,A*5D\r\n"},
        CatalogueCase{"VbwfTakesFirstAndThird",
                      "$PNRVVBWF,12.3,x,A,1,2,3,4,5,6,7*08\r\n",
                      "VBWF",
                      {{"forwardAvrSpeed", "12.3"}, {"dataStatus", "A"}},
                      1,
                      "$PNRVVBWF,12.3,,A*6C\r\n"},
        CatalogueCase{"Stl",
                      "$PNRVSTL,12.5,1234.5*56\r\n",
                      "STL",
                      {{"totalValue", "1234.5"}},
                      1,
                      "$PNRVSTL,12.5,1234.5*56\r\n"},
        CatalogueCase{"GcfIgnoresFields", "$PNRVGCF,x*0C\r\n", "GCF", {}, 1, "$PNRVGCF*58\r\n"},
        CatalogueCase{"Rstt", "$PNRVRSTT*1B\r\n", "RSTT", {}, 1, "$PNRVRSTT*1B\r\n"},
        CatalogueCase{"Rsttg", "$PNRVRSTTG*5C\r\n", "RSTTG", {}, 1, "$PNRVRSTTG*5C\r\n"},
        CatalogueCase{"ScfJoinsTheAddress",
                      "$PNRVSCF,BRIDGE,192,168,1,5,VD0101,VD0102,255*63\r\n",
                      "SCF",
                      {{"ip", "192.168.1.5"}, {"group", "255"}},
                      1,
                      "$PNRVSCF,BRIDGE,192,168,1,5,VD0101,VD0102,255*63\r\n"},
        CatalogueCase{"Rcf",
                      "$PNRVRCF,1,B,1,10,0,0,5,AB,VD0101,VD0102,1.2,7,5,2.1*39\r\n",
                      "RCF",
                      {{"ip", "10.0.0.5"}, {"vq2_firmwVer", "2.1"}},
                      1,
                      "$PNRVRCF,1,B,1,10,0,0,5,AB,VD0101,VD0102,1.2,7,5,2.1*39\r\n"},
        CatalogueCase{"MacaWithoutField",
                      "$PNRVMACA*14\r\n",
                      "MACA",
                      {{"macAddress", ""}},
                      1,
                      "$PNRVMACA,*38\r\n"},
        CatalogueCase{"ApprovedAcaIsMaca",
                      "$GPACA,00:11:22:33:44:55*42\r\n",
                      "MACA",
                      {{"macAddress", "00:11:22:33:44:55"}},
                      0,
                      {}},
        CatalogueCase{"Slp",
                      "$PNRVSLP,VD0102,1*75\r\n",
                      "SLP",
                      {{"setToSleep", "true"}},
                      1,
                      "$PNRVSLP,VD0102,1*75\r\n"},
        CatalogueCase{"Errorcode",
                      "$PNRVERRORCODE,74,3*7F\r\n",
                      "ERRORCODE",
                      {{"errorCount", "3"}},
                      1,
                      "$PNRVERRORCODE,74,3*7F\r\n"},
        CatalogueCase{
            "Cppc", "$PNRVCPPC,1*07\r\n", "CPPC", {{"systemAck", "1"}}, 1, "$PNRVCPPC,1*07\r\n"},
        CatalogueCase{"Vmpcgter",
                      "$PNRVVMPCGTER,2*08\r\n",
                      "VMPCGTER",
                      {{"msgComand", "2"}},
                      1,
                      "$PNRVVMPCGTER,2*08\r\n"},
        CatalogueCase{"Sfs",
                      "$PNRVSFS,ON,12.5,-0.5*6F\r\n",
                      "SFS",
                      {{"speedTrans", "-0.5"}},
                      1,
                      "$PNRVSFS,ON,12.5,-0.5*6F\r\n"},
        CatalogueCase{
            "Tam", "$VDTAM,1*57\r\n", "TAM", {{"updateModeOn", "1"}}, 1, "$VDTAM,1*57\r\n"},
        CatalogueCase{"DdcFull",
                      "$VDDDC,D,50,1,C*62\r\n",
                      "DDC",
                      {{"coulorPalette", "1"}, {"statusFlag", "C"}},
                      1,
                      "$VDDDC,D,50,1,C*62\r\n"},
        CatalogueCase{"DdcThreeFields",
                      "$VDDDC,D,50,1*0D\r\n",
                      "DDC",
                      {{"coulorPalette", "1"}, {"statusFlag", ""}},
                      1,
                      "$VDDDC,D,50,1,*21\r\n"},
        CatalogueCase{"DdcTwoFields",
                      "$VDDDC,D,50*10\r\n",
                      "DDC",
                      {{"brightnes", "50"}, {"coulorPalette", ""}},
                      1,
                      "$VDDDC,D,50,,*10\r\n"},
        CatalogueCase{"AlcAcceptedAsReceived",
                      "$VDALC,01,01,05,0*69\r\n",
                      "ALC",
                      {},
                      0,
                      "$VDALC,01,01,05,0*69\r\n"}));

class CatalogueRejected : public ::testing::TestWithParam<RejectCase> {};

TEST_P(CatalogueRejected, GivesFormatError) {
    const auto message = NmeaParser::parse(GetParam().received);
    EXPECT_EQ(message->errorType(), ERR_NMEA_FORMAT) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Sentences, CatalogueRejected,
    ::testing::Values(
        RejectCase{"VbwNine", "$VDVBW,1,2,A,3,4,A,5,A,6\r\n"},
        RejectCase{"VbwOldSixField", "$VDVBW,1,2,A,3,4,A\r\n"},
        RejectCase{"DptOlderTwoField", "$SDDPT,12.3,0.5\r\n"},
        RejectCase{"HdgVariationX", "$HCHDG,120.5,1.5,E,2.0,X\r\n"},
        RejectCase{"HdgDeviationLower", "$HCHDG,120.5,1.5,e,2.0,W\r\n"},
        RejectCase{"RmcTen", "$GPRMC,1,A,2,N,3,E,4,5,6,7\r\n"},
        RejectCase{"GgaEleven", "$GPGGA,1,2,N,3,E,1,8,0.9,12.3,M,45.6\r\n"},
        RejectCase{"VtgSeven", "$GPVTG,1,T,2,M,3,N,4\r\n"},
        RejectCase{"GllThree", "$GPGLL,1,N,2\r\n"},
        RejectCase{"ZdaFour", "$GPZDA,1,05,03,2024\r\n"}, RejectCase{"AckTwo", "$CAACK,1,2\r\n"},
        RejectCase{"EpvStatusX", "$CAEPV,X,VD,123456,1,ON\r\n"},
        RejectCase{"HbtStatusB", "$VDHBT,60,B,5\r\n"},
        RejectCase{"BlnkLowerCase", "$PNRVBLNK,4,,on\r\n"},
        RejectCase{"ScfGroup256", "$PNRVSCF,BRIDGE,192,168,1,5,VD0101,VD0102,256\r\n"},
        RejectCase{"ScfGroupNegative", "$PNRVSCF,BRIDGE,192,168,1,5,VD0101,VD0102,-1\r\n"},
        RejectCase{"ScfSeven", "$PNRVSCF,BRIDGE,192,168,1,VD0101,VD0102,7\r\n"},
        RejectCase{"DlgFlagTwo", "$PNRVDLG,12.34,1.20,2,1\r\n"},
        RejectCase{"ErrorcodeNegative", "$PNRVERRORCODE,-1,3\r\n"},
        RejectCase{"DdcOne", "$VDDDC,D\r\n"},
        RejectCase{"AlrsTen", "$PNRVALRS,0,A,1,,0,,0,,0,\r\n"},
        RejectCase{"TamText", "$VDTAM,x\r\n"}, RejectCase{"AlmaSpeedText", "$PNRV01,x\r\n"},
        RejectCase{"HdtNotANumber", "$GPHDT,12a,T\r\n"},
        RejectCase{"HdtInfinite", "$GPHDT,inf,T\r\n"}, RejectCase{"HdtNaN", "$GPHDT,nan,T\r\n"},
        RejectCase{"AlfTwelve", "$VDALF,1,1,0,120000.00,B,W,A,,007,1,1\r\n"},
        RejectCase{"VbwfThree", "$PNRVVBWF,12.3,,A\r\n"},
        RejectCase{"RcfOddCount", "$PNRVRCF,1,BRIDGE,1234,192,168,1\r\n"},
        RejectCase{"StlOne", "$PNRVSTL,12.5\r\n"}));

std::unique_ptr<NmeaMessage> alc(int sequence, const QList<MsgSingleALC>& entries) {
    auto list = std::make_unique<MsgALC>();
    list->setSequentialIdentifier(sequence);
    for (const MsgSingleALC& entry : entries) {
        list->addSentence(entry);
    }
    return list;
}

std::unique_ptr<NmeaMessage> cfgr(int part, const QString& ip) {
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
}

// Built with talker VD and two configured decimals: only the speed fields take them.
class CatalogueBuilt : public ::testing::TestWithParam<BuildCase> {
protected:
    void SetUp() override {
        NmeaSettings::setSourceSfi(QStringLiteral("VD0101"));
        NmeaSettings::setNumberOfDecimals(2);
    }
    void TearDown() override { NmeaSettings::setNumberOfDecimals(1); }
};

TEST_P(CatalogueBuilt, WritesTheSentence) {
    EXPECT_EQ(GetParam().make()->getMsgBuffer(), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Sentences, CatalogueBuilt,
    ::testing::Values(
        BuildCase{"DptTalkerIIAndTwoDecimals",
                  [] { return std::make_unique<MsgDPT>(12.345f, 0.5f, kAbsentFloat); },
                  "$IIDPT,12.35,0.50,*5C\r\n"},
        BuildCase{"VbwSpeedsFollowDecimals",
                  [] {
                      return std::make_unique<MsgVBW>(12.345f, -0.1f, "A", kAbsentFloat,
                                                      kAbsentFloat, "V", 0.2f, "A", kAbsentFloat,
                                                      "V");
                  },
                  "$VDVBW,12.35,-0.10,A,,,V,0.20,A,,V*54\r\n"},
        BuildCase{"VhwHeadingsOneDecimal",
                  [] {
                      return std::make_unique<MsgVHW>(123.4f, "T", kAbsentFloat, "M", 12.34f, "N",
                                                      22.85f, "K");
                  },
                  "$VDVHW,123.4,T,,M,12.34,N,22.85,K*64\r\n"},
        BuildCase{"CurOnlySpeedFollowsDecimals",
                  [] {
                      return std::make_unique<MsgCUR>("A", 1, 2, 5.0f, 123.4f, "T", 1.23f, 10.0f,
                                                      45.0f, "T", "B");
                  },
                  "$VDCUR,A,1,2,5.0,123.4,T,1.23,10.0,45.0,T,B*65\r\n"},
        BuildCase{"AlfIdentifierThreeDigits",
                  [] {
                      return std::make_unique<MsgALF>(1, 1, 0, "120000.00", "B", "W", "A", "", 7u,
                                                      1u, 1, 0, "SENSOR LOST");
                  },
                  "$VDALF,1,1,0,120000.00,B,W,A,,007,1,1,0,SENSOR LOST*09\r\n"},
        BuildCase{"AlfSecondWritesDescription",
                  [] {
                      return std::make_unique<MsgALF>(2, 2, 0, "120000.00", "B", "W", "A", "", 7u,
                                                      1u, 1, 0, "CHECK\r\nCABLE");
                  },
                  "$VDALF,2,2,0,120000.00,B,W,A,,007,1,1,0,CHECK  CABLE*34\r\n"},
        BuildCase{"AlcTwoEntries",
                  [] {
                      return alc(12, {{"", 3032, 1, 3}, {"", 3015, 5, 1}});
                  },
                  "$VDALC,01,01,12,2,,3032,1,3,,3015,5,1*6E\r\n"},
        BuildCase{"AlcEmpty", [] { return alc(5, {}); }, "$VDALC,01,01,05,0*69\r\n"},
        BuildCase{"ArcIdentifierThreeDigits",
                  [] { return std::make_unique<MsgARC>("120000.00", "", 7u, 1u, "A"); },
                  "$VDARC,120000.00,,007,1,A*04\r\n"},
        BuildCase{"Hbt", [] { return std::make_unique<MsgHBT>(60, "A", 5); },
                  "$VDHBT,60,A,5*12\r\n"},
        BuildCase{"EpvAlwaysAReply",
                  [] { return std::make_unique<MsgEPV>("VD", "123456", 1, "ON"); },
                  "$VDEPV,R,VD,123456,1,ON*0A\r\n"},
        BuildCase{"AlrsTextCannotBreakFraming",
                  [] {
                      return std::make_unique<MsgALRS>(0, "LOST$SENSOR", 1, "", 0, "", 0, "", 0, "",
                                                       0);
                  },
                  "$PNRVALRS,0,LOST SENSOR,1,,0,,0,,0,,0*09\r\n"},
        BuildCase{"StaFixed", [] { return std::make_unique<MsgSTA>(); },
                  "$PNRVSTA,4,0,2,4,7,2,0,0,P*27\r\n"},
        BuildCase{"DlgFlags", [] { return std::make_unique<MsgDLG>(12.34f, 1.2f, true, true); },
                  "$PNRVDLG,12.34,1.20,1,1*62\r\n"},
        BuildCase{"DliTotalTwoTripThree",
                  [] {
                      return std::make_unique<MsgDLI>(1234.567f, 12.3456f, 1, 12.3f, kAbsentFloat,
                                                      kAbsentFloat, kAbsentFloat, 12.4f, 8.5f, "12",
                                                      "30");
                  },
                  "$PNRVDLI,1234.57,12.346,1,12.3,,,,12.4,8.5,12,30*56\r\n"},
        BuildCase{"RcfEmptyAddressFourEmptyFields",
                  [] {
                      return std::make_unique<MsgRCF>(1, "BRIDGE", "1234", "", "00:11:22:33:44:55",
                                                      "VD0101", "VD0102", "1.2.1.2", 7, "5678",
                                                      "2.14");
                  },
                  "$PNRVRCF,1,BRIDGE,1234,,,,,00:11:22:33:44:55,VD0101,VD0102,1.2.1.2,7,5678,2.14*"
                  "52\r\n"},
        BuildCase{"RcfOddAddressFourEmptyFields",
                  [] {
                      return std::make_unique<MsgRCF>(1, "BRIDGE", "1234", "192.168.1",
                                                      "00:11:22:33:44:55", "VD0101", "VD0102",
                                                      "1.2.1.2", 7, "5678", "2.14");
                  },
                  "$PNRVRCF,1,BRIDGE,1234,,,,,00:11:22:33:44:55,VD0101,VD0102,1.2.1.2,7,5678,2.14*"
                  "52\r\n"},
        BuildCase{"RcfAddress",
                  [] {
                      return std::make_unique<MsgRCF>(1, "BRIDGE", "1234", "192.168.1.5",
                                                      "00:11:22:33:44:55", "VD0101", "VD0102",
                                                      "1.2.1.2", 7, "5678", "2.14");
                  },
                  "$PNRVRCF,1,BRIDGE,1234,192,168,1,5,00:11:22:33:44:55,VD0101,VD0102,1.2.1.2,7,"
                  "5678,2.14*53\r\n"},
        BuildCase{"CfgrIdentityPart", [] { return cfgr(1, ""); },
                  "$PNRVCFGR,1,1,BRIDGE,1234,1.2.1.2,5678,2.14*06\r\n"},
        BuildCase{"CfgrNetworkPartBadAddress", [] { return cfgr(2, "192.168.1.5.9"); },
                  "$PNRVCFGR,2,,,,,00:11:22:33:44:55,VD0101,VD0102,7*1A\r\n"},
        BuildCase{"CfgrNetworkPart", [] { return cfgr(2, "192.168.1.5"); },
                  "$PNRVCFGR,2,192,168,1,5,00:11:22:33:44:55,VD0101,VD0102,7*1B\r\n"},
        BuildCase{"ErrortableUnfilledPairsEmpty",
                  [] {
                      return std::make_unique<MsgERRORTABLE>(QList<int>{74, 76}, QList<int>{3, 12});
                  },
                  "$PNRVERRORTABLE,74,3,76,12,,,,,,,,,,,,,,,,,,,,,,,,,,*2E\r\n"},
        BuildCase{"ZdaTwoDigitDayMonthZone",
                  [] { return std::make_unique<MsgZDA>("120000.00", 5, 3, 2024, 0, 0); },
                  "$VDZDA,120000.00,05,03,2024,00,00*62\r\n"},
        BuildCase{"MtwOneDecimal", [] { return std::make_unique<MsgMTW>(12.5f, "C"); },
                  "$VDMTW,12.5,C*07\r\n"},
        BuildCase{"VbwxOlderLogOneDecimal",
                  [] {
                      return std::make_unique<MsgVBWX>(12.345f, 0.1f, "A", kAbsentFloat,
                                                       kAbsentFloat, "V", kAbsentFloat, "V",
                                                       kAbsentFloat, "V", 12.34f, "A");
                  },
                  "$PNRVVBWX,12.35,0.10,A,,,V,,V,,V,12.3,A*7D\r\n"},
        BuildCase{"Qst", [] { return std::make_unique<MsgQST>(1, 2, 3, 4, 5, 6, 1, 0); },
                  "$PNRVQST,1,2,3,4,5,6,1,0*4A\r\n"},
        BuildCase{"Ovf", [] { return std::make_unique<MsgOvf>(); }, "$VDOVF,1*50\r\n"},
        BuildCase{"AlmaSpeedSignedWhole", [] { return std::make_unique<MsgAlmaSpeed>(12.4f); },
                  "$PNRV01,+12*1F\r\n"},
        BuildCase{"AlmaTempSignedWhole", [] { return std::make_unique<MsgAlmaTemp>(-3.4f); },
                  "$PNRV06,-3*2E\r\n"},
        BuildCase{"AlmaSpeedZeroUnsigned", [] { return std::make_unique<MsgAlmaSpeed>(0.0f); },
                  "$PNRV01,0*07\r\n"},
        BuildCase{"VbwfSpeedFollowsDecimals",
                  [] { return std::make_unique<MsgVBWF>(12.345f, "A"); },
                  "$PNRVVBWF,12.35,,A*59\r\n"},
        BuildCase{
            "ScfSplitsAddress",
            [] { return std::make_unique<MsgSCF>("BRIDGE", "192.168.1.5", "VD0101", "VD0102", 7); },
            "$PNRVSCF,BRIDGE,192,168,1,5,VD0101,VD0102,7*66\r\n"},
        BuildCase{"Info", [] { return std::make_unique<MsgINFO>(4, "SENSOR OK"); },
                  "$PNRVINFO,4,SENSOR OK*12\r\n"},
        BuildCase{"SlpFlag", [] { return std::make_unique<MsgSLP>("VD0102", false); },
                  "$PNRVSLP,VD0102,0*74\r\n"},
        BuildCase{"VlwDistancesFollowDecimals",
                  [] {
                      return std::make_unique<MsgVLW>(1234.567f, "N", 12.3f, "N", kAbsentFloat, "N",
                                                      kAbsentFloat, "N");
                  },
                  "$VDVLW,1234.57,N,12.30,N,,N,,N*59\r\n"},
        BuildCase{"RotOneDecimal", [] { return std::make_unique<MsgROT>(-3.45f, "A"); },
                  "$VDROT,-3.5,A*1F\r\n"},
        BuildCase{"HdtOneDecimal", [] { return std::make_unique<MsgHDT>(123.44f, "T"); },
                  "$VDHDT,123.4,T*34\r\n"}));

TEST(AlertList, TooLongForOneSentenceIsSplit) {
    NmeaSettings::setSourceSfi(QStringLiteral("VD0101"));
    QList<MsgSingleALC> entries;
    for (int id = 3032; id < 3038; ++id) {
        entries.append(MsgSingleALC("NRV", id, 10, 12));
    }
    const auto list = alc(12, entries);
    const QStringList sentences = dynamic_cast<MsgALC&>(*list).sentences();
    EXPECT_EQ(
        sentences,
        QStringList(
            {"$VDALC,02,01,12,4,NRV,3032,10,12,NRV,3033,10,12,NRV,3034,10,12,NRV,3035,10,12*68\r\n",
             "$VDALC,02,02,12,2,NRV,3036,10,12,NRV,3037,10,12*6C\r\n"}));
    EXPECT_EQ(list->getMsgBuffer(), sentences.join(QString()));
    for (const QString& sentence : sentences) {
        EXPECT_EQ(NmeaParser::parse(sentence)->errorType(), NO_ERROR) << sentence.toStdString();
    }
}

TEST(WindSentence, IsNeverBuilt) {
    EXPECT_TRUE(MsgMwv(12.0f, "R", 5.0f, "N", "A").getMsgBuffer().isEmpty());
}

TEST(OlderLogSentence, HoldsTheWholeValueToo) {
    const auto message = NmeaParser::parse("$PNRV01,-12.4*03\r\n");
    const auto* speed = dynamic_cast<MsgAlmaSpeed*>(message.get());
    ASSERT_NE(speed, nullptr);
    EXPECT_EQ(speed->speedAverage(), -12);
    EXPECT_FLOAT_EQ(speed->speedAverageWithDecimal(), -12.4f);
}
} // namespace
