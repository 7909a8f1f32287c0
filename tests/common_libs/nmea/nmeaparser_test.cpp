#include "msgerr.h"
#include "msgunknown.h"
#include "nmeaparser.h"
#include "sentencekey.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {
QString withLength(int charactersAfterStart) {
    // "$GPZZZ," then filler, then "\r\n": the length counts everything after "$".
    QString body = QStringLiteral("GPZZZ,");
    body += QString(charactersAfterStart - body.size() - 2, QLatin1Char('1'));
    return QLatin1Char('$') + body + QLatin1String("\r\n");
}

TEST(Parser, FramingGivesTheRuleBroken) {
    const std::tuple<const char*, QString, NmeaMessageErrorType> cases[] = {
        {"Empty", "", START_CHARACTER_ERROR},
        {"NoStart", "GPHDT,123.4,T*31\r\n", START_CHARACTER_ERROR},
        {"TooShort", "$GP\r\n", START_CHARACTER_ERROR},
        {"ShortestFramed", "$GPH\r\n", TALKER_ID_MESSAGE_TYPE_ERROR},
        {"Exactly82", withLength(82), NO_ERROR},
        {"Length83", withLength(83), ERR_MAX_LENGTH},
        {"LengthBeforeEnd", withLength(100).chopped(2), ERR_MAX_LENGTH},
        {"LineFeedOnly", "$GPHDT,123.4,T*31\n", END_CHARACTER_ERROR},
        {"NoLineEnd", "$GPHDT,123.4,T*31", END_CHARACTER_ERROR},
        {"WrongChecksum", "$VDVBW,12.3,0.1,A,,,V,0.2,A,,V*4D\r\n", CHECKSUM_ERROR},
        {"OneChecksumDigit", "$GPHDT,123.4,T*3\r\n", CHECKSUM_ERROR},
        {"StarInAField", "$GPHDT,12*3.4,T\r\n", CHECKSUM_ERROR},
        {"ShortProprietary", "$PNR,1\r\n", MANUFACTURER_ID_MESSAGE_TYPE_ERROR},
        {"ShortTalker", "$GPH,1\r\n", TALKER_ID_MESSAGE_TYPE_ERROR},
        {"LowerCaseChecksum", "$GPZZZ,J*2b\r\n", NO_ERROR},
        {"NoChecksum", "$GPZZZ,1\r\n", NO_ERROR},
        {"TextAfterChecksumDropped", "$GPZZZ,1*50junk\r\n", NO_ERROR},
        // Only the sensor's SNF answer may carry a wrong checksum; the letters SNF elsewhere
        // do not open that door.
        {"SnfWrongChecksum", "$PNRVSNF,4,12345,B1,214,H,H,0.5,1.0,2*00\r\n", NO_ERROR},
        {"SnfTextInField", "$GPZZZ,SNF*00\r\n", CHECKSUM_ERROR},
        {"SnfInIdentifierTail", "$PNRVXSNF,1*00\r\n", CHECKSUM_ERROR},
        {"Encapsulation", "!AIVDM,1,1,,A,13aG*1E\r\n", NO_ERROR},
    };
    for (const auto& [name, text, error] : cases) {
        const auto message = NmeaParser::parse(text);
        EXPECT_EQ(message->errorType(), error) << name;
        EXPECT_EQ(message->receivedText(), text) << name;
    }
}

// A sentence without a class keeps its address, a broken one its text; neither is relayed.
// A proprietary address splits into the manufacturer and the identifier.
TEST(Parser, AddressesAreSplitAndUnknownOrBrokenSentencesNeverRelayed) {
    const auto unknown = NmeaParser::parse(QStringLiteral("!AIVDM,1,1,,A,13aG*1E\r\n"));
    EXPECT_NE(dynamic_cast<MsgUnknown*>(unknown.get()), nullptr);
    EXPECT_EQ(unknown->messageType(), "VDM");
    EXPECT_EQ(unknown->talkerId(), "AI");
    EXPECT_EQ(unknown->messageTypeHash(), 0u);
    EXPECT_EQ(unknown->getMsgBuffer(), "");

    const auto broken = NmeaParser::parse(QStringLiteral("$GP\r\n"));
    EXPECT_NE(dynamic_cast<MsgErr*>(broken.get()), nullptr);
    EXPECT_EQ(broken->getMsgBuffer(), "");
    const auto copy = broken->clone();
    EXPECT_EQ(copy->errorType(), START_CHARACTER_ERROR);
    EXPECT_EQ(copy->receivedText(), "$GP\r\n");

    const auto message = NmeaParser::parse(QStringLiteral("$PNRVXYZ,1,2*42\r\n"));
    EXPECT_TRUE(message->isPropriatary());
    EXPECT_EQ(message->manufacturerId(), "NRV");
    EXPECT_EQ(message->messageType(), "XYZ");
    EXPECT_EQ(message->talkerId(), "");
}

// The unit's dispatch switches on these keys.
static_assert(sentenceKey("VBW") == 0x564257u);

TEST(DispatchKey, LastThreeCharactersPackedBigEndian) {
    const std::pair<const char*, quint32> cases[] = {
        {"VBW", 0x564257u}, {"DATR", 0x415452u}, {"ATR", 0x415452u}, {"XDAT", 0x444154u},
        {"01", 1u},         {"06", 6u},          {"AB", 0x4142u},    {"A", 0x41u},
        {"", 0u},           {"02", 0x3032u},
    };
    for (const auto& [identifier, key] : cases) {
        EXPECT_EQ(NmeaParser::calculateMessageTypeHash(QString::fromLatin1(identifier)), key)
            << identifier;
        EXPECT_EQ(sentenceKey(identifier), key) << identifier;
    }
}
} // namespace
