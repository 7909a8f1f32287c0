#include "casename.h"
#include "msgcfg.h"
#include "msgdat.h"
#include "msgicm.h"
#include "msgidm.h"
#include "msgpng.h"
#include "msgrus.h"
#include "msgsnf.h"
#include "msgsrp.h"
#include "msgtst.h"
#include "msgver.h"
#include "nmeaparser.h"
#include "nmeasettings.h"
#include "sentencetesting.h"

#include <gtest/gtest.h>

#include <functional>

// Checksums in the expected texts were computed outside the project (XOR of the body bytes).
namespace {
struct RoundTripCase {
    const char* name;
    QString received;
    const char* type;
    ExpectedFields fields;
    QString rebuilt;
};
void PrintTo(const RoundTripCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class SensorRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(SensorRoundTrip, ReadsFieldsAndRebuilds) {
    const RoundTripCase& c = GetParam();
    const auto message = NmeaParser::parse(c.received);
    ASSERT_EQ(message->errorType(), NO_ERROR) << c.name;
    EXPECT_EQ(message->fullType(), QLatin1String(c.type)) << c.name;
    expectFields(*message, c.fields, c.name);
    EXPECT_EQ(message->getMsgBuffer(), c.received) << c.name << ": relayed unchanged";
    EXPECT_EQ(rebuilt(*message), c.rebuilt) << c.name;
}

const QString kDatFull =
    QStringLiteral("$PNRVDAT,4,+1.5,80,-0.3,75,+12.5,1,-2,3,+1.4,90,-0.2,88,12.3,12.4*79\r\n");

INSTANTIATE_TEST_SUITE_P(
    Sentences, SensorRoundTrip,
    ::testing::Values(
        RoundTripCase{"DatFull",
                      kDatFull,
                      "DAT",
                      {{"systemID", "4"},
                       {"fwdSpeedWater", "1.5"},
                       {"aftSpeedWater", "-0.3"},
                       {"tiltY", "-2"},
                       {"aftSpeedGround", "-0.2"},
                       {"depthAft", "12.4"}},
                      kDatFull},
        RoundTripCase{"DatSystem5ThroughTilt",
                      "$PNRVDAT,5,+1.5,80,-0.3,75,+12.5,1,-2,3*77\r\n",
                      "DAT",
                      {{"tiltZ", "3"}, {"fwdSpeedGround", "null"}, {"depthFwd", "null"}},
                      "$PNRVDAT,5,+1.5,80,-0.3,75,+12.5,1,-2,3*77\r\n"},
        RoundTripCase{"DatSystem1WaterOnly",
                      "$PNRVDAT,1,+1.5,80,-0.3,75,+12.5*42\r\n",
                      "DAT",
                      {{"fTemperature", "12.5"}, {"tiltX", "null"}},
                      "$PNRVDAT,1,+1.5,80,-0.3,75,+12.5*42\r\n"},
        RoundTripCase{"DatNumericSystem1",
                      "$PNRVDAT,01,+1.5,80,-0.3,75,+12.5*72\r\n",
                      "DAT",
                      {{"systemID", "1"}},
                      "$PNRVDAT,1,+1.5,80,-0.3,75,+12.5*42\r\n"},
        RoundTripCase{"CfgFullAnswerWritesWaterTrack",
                      "$PNRVCFG,4,1,3,2,05,ABC,3,2,7,1*1E\r\n",
                      "CFG",
                      {{"wTrackRangeOffset", "5"}, {"formats", "ABC"}, {"pingMode", "1"}},
                      "$PNRVCFG,4,1,3,2,05,ABC*19\r\n"},
        RoundTripCase{"CfgShortAnswer",
                      "$PNRVCFG,4,1*5D\r\n",
                      "CFG",
                      {{"mode", "1"}, {"wTrackPowLev", "null"}},
                      "$PNRVCFG,4,1,,,,*5D\r\n"},
        RoundTripCase{"TstFull",
                      "$PNRVTST,4,1,+05.2,V,0101*04\r\n",
                      "TST",
                      {{"requiredSpeed", "5.2"}, {"outputsEnabled", "0101"}},
                      "$PNRVTST,4,1,+05.2,V,0101*04\r\n"},
        RoundTripCase{"TstShortDefaultsItsMask",
                      "$PNRVTST,4,0*4D\r\n",
                      "TST",
                      {{"onOff", "0"}, {"requiredSpeed", "0"}, {"outputsEnabled", "0000"}},
                      "$PNRVTST,4,0,+00.0,,0000*54\r\n"},
        RoundTripCase{"SnfInformationWrongChecksum",
                      "$PNRVSNF,4,12345,B1,214,H,H,0.5,1.0,2*00\r\n",
                      "SNF",
                      {{"sentenceType", "1"},
                       {"serialNumber", "12345"},
                       {"firmwereRev", "2.14"},
                       {"frequencyInfo", "2"}},
                      "$PNRVSNF,1,*70\r\n"},
        RoundTripCase{"SnfEmptyRevisionStaysAbsent",
                      "$PNRVSNF,4,12345,B1,,H,H,0.5,1.0,2*2D\r\n",
                      "SNF",
                      {{"firmwereRev", "null"}},
                      "$PNRVSNF,1,*70\r\n"},
        RoundTripCase{"SnfTilt",
                      "$PNRVSNF,1,0,10,20,30,11,21,31,12,22,32*6F\r\n",
                      "SNF",
                      {{"sentenceType", "2"}, {"offsetX", "10"}, {"curveZ", "32"}},
                      "$PNRVSNF,2,*73\r\n"},
        RoundTripCase{"Png", "$PNRVPNG,4*5B\r\n", "PNG", {{"systemID", "4"}}, "$PNRVPNG,4*5B\r\n"},
        RoundTripCase{"IcmCarriesItsCommandInItsType",
                      "$PNRVICM,1,15,1,9600,2*48\r\n",
                      "ICM15",
                      {{"messageVersion", "1"}, {"msgParameters", "1|9600|2"}},
                      "$PNRVICM,1,15,1,9600,2*48\r\n"},
        RoundTripCase{"IcmWithoutParameters",
                      "$PNRVICM,1,15*68\r\n",
                      "ICM15",
                      {{"msgParameters", ""}},
                      "$PNRVICM,1,15*68\r\n"},
        RoundTripCase{"Idm",
                      "$PNRVIDM,1,3,ABC,DEF*5F\r\n",
                      "IDM3",
                      {{"msgParameters", "ABC|DEF"}},
                      "$PNRVIDM,1,3,ABC,DEF*5F\r\n"},
        RoundTripCase{"VerAlwaysBuiltAsVD",
                      "$GPVER,1,1,VD,NRV,ABC123,42,KC40,1.2.1.2,B,7*2F\r\n",
                      "VER",
                      {{"uniqueIdentifier", "ABC123"}, {"sequentialMessageIdentifier", "7"}},
                      "$VDVER,1,1,VD,NRV,ABC123,42,KC40,1.2.1.2,B,7*2A\r\n"},
        RoundTripCase{"VerRequest",
                      "$ECVER*47\r\n",
                      "VER",
                      {{"uniqueIdentifier", "Request"}},
                      "$VDVER,,,,,Request,,,,,*02\r\n"},
        RoundTripCase{"SrpIgnoresFurtherFields",
                      "$VDSRP,2,00:11:22:33:44:55,192.168.1.5,X*3C\r\n",
                      "SRP",
                      {{"instanceNo", "2"}, {"strIP", "192.168.1.5"}},
                      "$VDSRP,2,00:11:22:33:44:55,192.168.1.5*48\r\n"}));

class SensorRejected : public ::testing::TestWithParam<RejectCase> {};

TEST_P(SensorRejected, GivesFormatError) {
    const auto message = NmeaParser::parse(GetParam().received);
    EXPECT_EQ(message->errorType(), ERR_NMEA_FORMAT) << GetParam().name;
    EXPECT_NE(message->messageTypeHash(), 0u) << GetParam().name << ": reached its class";
}

INSTANTIATE_TEST_SUITE_P(
    Sentences, SensorRejected,
    ::testing::Values(
        RejectCase{"DatSystem1TooShort", "$PNRVDAT,1,2\r\n"},
        RejectCase{"DatNoFields", "$PNRVDAT\r\n"},
        RejectCase{"DatSystem2With14", "$PNRVDAT,2,1,2,3,4,5,6,7,8,9,10,11,12,13\r\n"},
        RejectCase{"DatSystem5With15", "$PNRVDAT,5,1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"},
        RejectCase{"DatUnknownSystem", "$PNRVDAT,6,1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"},
        RejectCase{"DatNumericSystem1With7", "$PNRVDAT,01,1,2,3,4,5,6\r\n"},
        RejectCase{"DatBadNumber", "$PNRVDAT,1,+1.x,80,-0.3,75,+12.5\r\n"},
        RejectCase{"CfgAsWritten", "$PNRVCFG,4,1,3,2,05,ABC*19\r\n"},
        RejectCase{"TstMaskNotBinary", "$PNRVTST,4,1,+05.2,V,0201\r\n"},
        RejectCase{"TstThreeFields", "$PNRVTST,4,1,+05.2\r\n"},
        RejectCase{"SnfRequestForm", "$PNRVSNF,1,*70\r\n"},
        RejectCase{"PngNotANumber", "$PNRVPNG,x\r\n"},
        RejectCase{"PngTwoFields", "$PNRVPNG,4,5\r\n"},
        RejectCase{"IcmVersionOnly", "$PNRVICM,1\r\n"},
        RejectCase{"IcmTextParameter", "$PNRVICM,1,15,a\r\n"},
        RejectCase{"IdmVersionOnly", "$PNRVIDM,1\r\n"},
        RejectCase{"VerTwoFields", "$GPVER,1,2\r\n"}, RejectCase{"VerOneEmptyField", "$GPVER,\r\n"},
        RejectCase{"SrpTwoFields", "$VDSRP,1,2\r\n"}));

class SensorBuilt : public ::testing::TestWithParam<BuildCase> {
protected:
    void SetUp() override {
        NmeaSettings::setSourceSfi(QStringLiteral("GP0101"));
        NmeaSettings::setNumberOfDecimals(1);
    }
    void TearDown() override { NmeaSettings::setSourceSfi(QStringLiteral("VD0101")); }
};

TEST_P(SensorBuilt, WritesTheSentence) {
    EXPECT_EQ(GetParam().make()->getMsgBuffer(), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Sentences, SensorBuilt,
    ::testing::Values(
        BuildCase{"DatSignedSpeeds",
                  [] {
                      return std::make_unique<MsgDAT>(4, 1.5f, 80, -0.3f, 75, 12.5f, 1, -2, 3, 1.4f,
                                                      90, -0.2f, 88, 12.3f, 12.4f);
                  },
                  kDatFull},
        BuildCase{"DatZeroUnsignedAbsentEmpty",
                  [] {
                      return std::make_unique<MsgDAT>(4, 0.0f, 80, -0.3f, 75, 12.5f, 1, -2, 3,
                                                      kAbsentFloat, 90, kAbsentFloat, 88,
                                                      kAbsentFloat, 12.4f);
                  },
                  "$PNRVDAT,4,0.0,80,-0.3,75,+12.5,1,-2,3,,90,,88,,12.4*49\r\n"},
        BuildCase{"CfgRangeOffsetTwoDigits",
                  [] { return std::make_unique<MsgCFG>(4, 1, 3, 2, 5u, QStringLiteral("ABC")); },
                  "$PNRVCFG,4,1,3,2,05,ABC*19\r\n"},
        BuildCase{"TstZeroSpeedSigned",
                  [] {
                      return std::make_unique<MsgTST>(4, 1, 0.0f, QStringLiteral("V"),
                                                      QStringLiteral("0101"));
                  },
                  "$PNRVTST,4,1,+00.0,V,0101*03\r\n"},
        BuildCase{"TstNegativeSpeed",
                  [] {
                      return std::make_unique<MsgTST>(4, 1, -5.2f, QStringLiteral("V"),
                                                      QStringLiteral("0101"));
                  },
                  "$PNRVTST,4,1,-05.2,V,0101*02\r\n"},
        BuildCase{"SnfRequest", [] { return std::make_unique<MsgSNF>(1); }, "$PNRVSNF,1,*70\r\n"},
        BuildCase{"Png", [] { return std::make_unique<MsgPNG>(4); }, "$PNRVPNG,4*5B\r\n"},
        BuildCase{"RusTextCannotBreakFraming",
                  [] { return std::make_unique<MsgRUS>(1u, 50u, QStringLiteral("UPLOAD*OK")); },
                  "$PNRVRUS,1,50,UPLOAD OK*71\r\n"},
        BuildCase{"IcmFromEnumeration",
                  [] {
                      return std::make_unique<MsgICM>(1, msgCommands::OCFsetupCommand,
                                                      QList<int>{1, 9600});
                  },
                  "$PNRVICM,1,15,1,9600*56\r\n"},
        BuildCase{"IdmParametersCannotBreakFraming",
                  [] {
                      return std::make_unique<MsgIDM>(1, 3, QStringList{"A$B", "C"});
                  },
                  "$PNRVIDM,1,3,A B,C*38\r\n"},
        BuildCase{"VerIgnoresConfiguredTalker",
                  [] {
                      return std::make_unique<MsgVER>(1, 1, "VD", "NRV", "ABC123", "42", "KC40",
                                                      "1.2.1.2", "B", 7);
                  },
                  "$VDVER,1,1,VD,NRV,ABC123,42,KC40,1.2.1.2,B,7*2A\r\n"},
        BuildCase{"SrpInstanceZero",
                  [] {
                      NmeaSettings::setSourceSfi(QStringLiteral("VD0101"));
                      return std::make_unique<MsgSRP>("00:11:22:33:44:55", "192.168.1.5");
                  },
                  "$VDSRP,0,00:11:22:33:44:55,192.168.1.5*4A\r\n"}));

TEST(SentenceDispatch, KeyIsTheLastThreeCharacters) {
    const auto message = NmeaParser::parse(
        QStringLiteral("$GPXDAT,4,+1.5,80,-0.3,75,+12.5,1,-2,3,+1.4,90,-0.2,88,12.3,12.4*2C\r\n"));
    ASSERT_NE(dynamic_cast<MsgDAT*>(message.get()), nullptr);
    EXPECT_EQ(message->errorType(), NO_ERROR);
}

TEST(IcmFullType, FollowsAChangedCommand) {
    MsgICM icm(1, msgCommands::MsgAck);
    EXPECT_EQ(icm.fullType(), "ICM0");
    icm.setCommandID(static_cast<int>(msgCommands::StandbyNegotiationWakeUpAll));
    EXPECT_EQ(icm.fullType(), "ICM98");
}

TEST(ChangedField, DropsTheReceivedText) {
    const auto message = NmeaParser::parse(QStringLiteral("$PNRVPNG,4*5B\r\n"));
    auto* png = dynamic_cast<MsgPNG*>(message.get());
    ASSERT_NE(png, nullptr);
    png->setSystemID(5);
    EXPECT_EQ(png->getMsgBuffer(), "$PNRVPNG,5*5A\r\n");
}

TEST(Clone, CopiesTheDerivedFields) {
    const MsgIDM original(1, 2, {"x", "y"});
    const auto copy = original.clone();
    EXPECT_EQ(copy->getMsgBuffer(), original.getMsgBuffer());
    EXPECT_EQ(copy->fullType(), "IDM2");
}
} // namespace
