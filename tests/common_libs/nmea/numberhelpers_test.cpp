#include "nmeaparser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

namespace {
const float kInf = std::numeric_limits<float>::infinity();
const float kNan = std::numeric_limits<float>::quiet_NaN();

// Values are held as float and formatted after promotion to double, so 12.345f (really
// 12.3450002...) rounds up and 0.15f (0.1500000059...) gives 0.2.
TEST(NumberToText, FloatsPlainAndSigned) {
    const std::tuple<float, int, const char*, const char*> cases[] = {
        {12.345f, 2, "12.35", "+12.35"},
        {0.15f, 1, "0.2", "+0.2"},
        {-0.04f, 1, "0.0", "0.0"}, // "-0.0" only
        {-0.04f, 2, "-0.04", "-0.04"},
        {-0.004f, 2, "-0.00", "-0.00"}, // kept as printed
        {0.0f, 1, "0.0", "0.0"},
        {0.01f, 1, "0.0", "+0.0"}, // > 0 gets "+"
        {-3.5f, 1, "-3.5", "-3.5"},
        {FLT_MAX, 1, "", ""},
        {kInf, 1, "", ""},
        {-kInf, 1, "", ""},
        {kNan, 1, "", ""},
    };
    for (const auto& [value, precision, plain, signedText] : cases) {
        EXPECT_EQ(NmeaParser::NumberToString(value, 'f', precision), plain) << value;
        EXPECT_EQ(NmeaParser::NumberToStringSigned(value, 'f', precision), signedText) << value;
    }
}

TEST(NumberToText, IntegersAndFixedLengths) {
    const std::pair<QString, const char*> cases[] = {
        {NmeaParser::NumberToString(-7), "-7"},
        {NmeaParser::NumberToString(INT_MAX), ""},
        {NmeaParser::FloatToString_FixedLength_Signed(0.0f, 2, 1), "+00.0"},
        {NmeaParser::FloatToString_FixedLength_Signed(-0.0f, 2, 1), "+00.0"},
        {NmeaParser::FloatToString_FixedLength_Signed(12.34f, 2, 1), "+12.3"},
        {NmeaParser::FloatToString_FixedLength_Signed(-1.5f, 2, 1), "-01.5"},
        {NmeaParser::FloatToString_FixedLength_Signed(123.4f, 2, 1), "+123.4"}, // wider stays
        {NmeaParser::FloatToString_FixedLength_Signed(kNan, 2, 1), ""},
        {NmeaParser::FloatToString_FixedLength_Signed(FLT_MAX, 2, 1), ""},
        {NmeaParser::IntToString_FixedLength(7, 3, '0'), "007"},
        {NmeaParser::IntToString_FixedLength(-5, 3, '0'), "-05"},
        {NmeaParser::IntToString_FixedLength(1234, 3, '0'), "1234"},
        {NmeaParser::UlongToString_FixedLenght(42u, 4), "0042"},
        {NmeaParser::UlongToString_FixedLenght(kAbsentULong, 4), ""},
        {NmeaParser::UlongToString(4000000000u), "4000000000"},
        {NmeaParser::UlongToString(kAbsentULong), ""},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(text, expected);
    }
}

struct ReadCase {
    const char* text;
    bool ok;
    double value; // the absent value of the type for ""
};

TEST(TextToNumber, FloatsRejectWhatIsNotAFiniteNumber) {
    const ReadCase cases[] = {
        {"", true, FLT_MAX}, {"12.5", true, 12.5}, {"-0.25", true, -0.25}, {"+3", true, 3},
        {"1e3", true, 1000}, {"abc", false, 0},    {"nan", false, 0},      {"inf", false, 0},
        {"-inf", false, 0},  {"1e99", false, 0},   {"1,5", false, 0},      {"12.5x", false, 0},
    };
    for (const ReadCase& c : cases) {
        bool ok = !c.ok;
        const float value = NmeaParser::StringToFloat(QString::fromLatin1(c.text), &ok);
        EXPECT_EQ(ok, c.ok) << c.text;
        if (c.ok) {
            EXPECT_FLOAT_EQ(value, static_cast<float>(c.value)) << c.text;
        }
        EXPECT_TRUE(std::isfinite(value)) << c.text;
    }
}

TEST(TextToNumber, IntegersAndUnsignedLongs) {
    const ReadCase ints[] = {
        {"", true, INT_MAX}, {"-42", true, -42}, {"4.2", false, 0}, {"99999999999", false, 0}};
    for (const ReadCase& c : ints) {
        bool ok = !c.ok;
        const int value = NmeaParser::StringToInt(QString::fromLatin1(c.text), &ok);
        EXPECT_EQ(ok, c.ok) << c.text;
        EXPECT_TRUE(!c.ok || value == c.value) << c.text;
    }
    // Beyond 32 bits is out of range, as on the board.
    const ReadCase ulongs[] = {{"", true, kAbsentULong},
                               {"4000000000", true, 4000000000u},
                               {"-1", false, 0},
                               {"4294967296", false, 0}};
    for (const ReadCase& c : ulongs) {
        bool ok = !c.ok;
        const quint32 value = NmeaParser::StringToULong(QString::fromLatin1(c.text), &ok);
        EXPECT_EQ(ok, c.ok) << c.text;
        EXPECT_TRUE(!c.ok || value == c.value) << c.text;
    }
}
} // namespace
