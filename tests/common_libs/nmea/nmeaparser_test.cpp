#include "msgerr.h"
#include "msgunknown.h"
#include "nmeaparser.h"
#include "sentencekey.h"

#include <gtest/gtest.h>

namespace {
struct FramingCase {
    const char* name;
    QString text;
    NmeaMessageErrorType error;
};

QString withLength(int charactersAfterStart) {
    // "$GPZZZ," then filler, then "\r\n": the length counts everything after "$".
    QString body = QStringLiteral("GPZZZ,");
    body += QString(charactersAfterStart - body.size() - 2, QLatin1Char('1'));
    return QLatin1Char('$') + body + QLatin1String("\r\n");
}

void PrintTo(const FramingCase& c, std::ostream* os) {
    *os << c.name;
}

class FramingTable : public ::testing::TestWithParam<FramingCase> {};

TEST_P(FramingTable, GivesTheRuleBroken) {
    const auto message = NmeaParser::parse(GetParam().text);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->errorType(), GetParam().error) << GetParam().name;
    EXPECT_EQ(message->receivedText(), GetParam().text) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FramingTable,
    ::testing::Values(
        FramingCase{"Empty", "", START_CHARACTER_ERROR},
        FramingCase{"NoStart", "GPHDT,123.4,T*31\r\n", START_CHARACTER_ERROR},
        FramingCase{"TooShort", "$GP\r\n", START_CHARACTER_ERROR},
        FramingCase{"Exactly82", withLength(82), NO_ERROR},
        FramingCase{"Length83", withLength(83), ERR_MAX_LENGTH},
        FramingCase{"LengthBeforeEnd", withLength(100).chopped(2), ERR_MAX_LENGTH},
        FramingCase{"LineFeedOnly", "$GPHDT,123.4,T*31\n", END_CHARACTER_ERROR},
        FramingCase{"NoLineEnd", "$GPHDT,123.4,T*31", END_CHARACTER_ERROR},
        FramingCase{"WrongChecksum", "$VDVBW,12.3,0.1,A,,,V,0.2,A,,V*4D\r\n", CHECKSUM_ERROR},
        FramingCase{"OneChecksumDigit", "$GPHDT,123.4,T*3\r\n", CHECKSUM_ERROR},
        FramingCase{"StarInAField", "$GPHDT,12*3.4,T\r\n", CHECKSUM_ERROR},
        FramingCase{"ShortProprietary", "$PNR,1\r\n", MANUFACTURER_ID_MESSAGE_TYPE_ERROR},
        FramingCase{"ShortTalker", "$GPH,1\r\n", TALKER_ID_MESSAGE_TYPE_ERROR},
        FramingCase{"LowerCaseChecksum", "$GPZZZ,J*2b\r\n", NO_ERROR},
        FramingCase{"NoChecksum", "$GPZZZ,1\r\n", NO_ERROR},
        FramingCase{"TextAfterChecksumDropped", "$GPZZZ,1*50junk\r\n", NO_ERROR},
        // Only the sensor's SNF answer may carry a wrong checksum; the letters SNF elsewhere
        // do not open that door.
        FramingCase{"SnfWrongChecksum", "$PNRVSNF,4,12345,B1,214,H,H,0.5,1.0,2*00\r\n", NO_ERROR},
        FramingCase{"SnfTextInField", "$GPZZZ,SNF*00\r\n", CHECKSUM_ERROR},
        FramingCase{"SnfInIdentifierTail", "$PNRVXSNF,1*00\r\n", CHECKSUM_ERROR},
        FramingCase{"Encapsulation", "!AIVDM,1,1,,A,13aG*1E\r\n", NO_ERROR}),
    [](const ::testing::TestParamInfo<FramingCase>& info) { return info.param.name; });

TEST(Parser, UnknownIdentifierKeepsItsAddress) {
    const auto message = NmeaParser::parse(QStringLiteral("!AIVDM,1,1,,A,13aG*1E\r\n"));
    EXPECT_NE(dynamic_cast<MsgUnknown*>(message.get()), nullptr);
    EXPECT_EQ(message->messageType(), "VDM");
    EXPECT_EQ(message->talkerId(), "AI");
    EXPECT_EQ(message->checksum(), "1E");
    EXPECT_EQ(message->messageTypeHash(), 0u);
    EXPECT_EQ(message->errorType(), NO_ERROR);
    EXPECT_EQ(message->getMsgBuffer(), ""); // unknown sentences are not relayed
}

TEST(Parser, ProprietaryAddressIsSplit) {
    const auto message = NmeaParser::parse(QStringLiteral("$PNRVXYZ,1,2*42\r\n"));
    EXPECT_TRUE(message->isPropriatary());
    EXPECT_EQ(message->manufacturerId(), "NRV");
    EXPECT_EQ(message->messageType(), "XYZ");
    EXPECT_EQ(message->talkerId(), "");
}

TEST(Parser, ErrorsAreMsgErr) {
    const auto message = NmeaParser::parse(QStringLiteral("$GP\r\n"));
    EXPECT_NE(dynamic_cast<MsgErr*>(message.get()), nullptr);
    EXPECT_EQ(message->messageType(), "ERR");
    EXPECT_EQ(message->getMsgBuffer(), "");
    const auto copy = message->clone();
    EXPECT_EQ(copy->errorType(), START_CHARACTER_ERROR);
    EXPECT_EQ(copy->receivedText(), "$GP\r\n");
}

struct KeyCase {
    const char* identifier;
    quint32 key;
};

// The unit's dispatch switches on these keys.
static_assert(sentenceKey("VBW") == 0x564257u);

TEST(DispatchKey, LastThreeCharactersPackedBigEndian) {
    const KeyCase cases[] = {
        {"VBW", 0x564257u}, {"DATR", 0x415452u}, {"ATR", 0x415452u}, {"XDAT", 0x444154u},
        {"01", 1u},         {"06", 6u},          {"AB", 0x4142u},    {"A", 0x41u},
        {"", 0u},           {"02", 0x3032u},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(NmeaParser::calculateMessageTypeHash(QString::fromLatin1(c.identifier)), c.key)
            << c.identifier;
        EXPECT_EQ(sentenceKey(c.identifier), c.key) << c.identifier;
    }
}
} // namespace
