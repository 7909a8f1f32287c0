#include "nmeaparser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
const float kInf = std::numeric_limits<float>::infinity();
const float kNan = std::numeric_limits<float>::quiet_NaN();

struct FloatFormatCase {
    float value;
    int precision;
    const char* plain;
    const char* signedText;
    const char* display;
};

void PrintTo(const FloatFormatCase& c, std::ostream* os) {
    *os << c.value << " with " << c.precision << " decimals";
}

class FloatFormatting : public ::testing::TestWithParam<FloatFormatCase> {};

// Values are held as float and formatted after promotion to double, so 12.345f (really
// 12.3450002...) rounds up and 0.15f (0.1500000059...) gives 0.2.
TEST_P(FloatFormatting, PlainSignedAndDisplayForms) {
    const FloatFormatCase& c = GetParam();
    EXPECT_EQ(NmeaParser::NumberToString(c.value, 'f', c.precision), QString::fromLatin1(c.plain));
    EXPECT_EQ(NmeaParser::NumberToStringSigned(c.value, 'f', c.precision),
              QString::fromLatin1(c.signedText));
    EXPECT_EQ(NmeaParser::NumberToDisplayString(c.value, 'f', c.precision),
              QString::fromLatin1(c.display));
}

INSTANTIATE_TEST_SUITE_P(
    Values, FloatFormatting,
    ::testing::Values(FloatFormatCase{12.345f, 2, "12.35", "+12.35", "12.35"},
                      FloatFormatCase{0.15f, 1, "0.2", "+0.2", "0.2"},
                      FloatFormatCase{-0.04f, 1, "0.0", "0.0", "0.0"}, // "-0.0" only
                      FloatFormatCase{-0.04f, 2, "-0.04", "-0.04", "-0.04"},
                      FloatFormatCase{-0.004f, 2, "-0.00", "-0.00", "-0.00"}, // kept as printed
                      FloatFormatCase{0.0f, 1, "0.0", "0.0", "0.0"},
                      FloatFormatCase{0.01f, 1, "0.0", "+0.0", "0.0"}, // > 0 gets "+"
                      FloatFormatCase{-3.5f, 1, "-3.5", "-3.5", "-3.5"},
                      FloatFormatCase{FLT_MAX, 1, "", "", "-.-"},
                      FloatFormatCase{kInf, 1, "", "", "-.-"},
                      FloatFormatCase{-kInf, 1, "", "", "-.-"},
                      FloatFormatCase{kNan, 1, "", "", "-.-"}));

struct IntFormatCase {
    int value;
    const char* plain;
    const char* signedText;
    const char* display;
};

void PrintTo(const IntFormatCase& c, std::ostream* os) {
    *os << c.value;
}

class IntFormatting : public ::testing::TestWithParam<IntFormatCase> {};

TEST_P(IntFormatting, PlainSignedAndDisplayForms) {
    const IntFormatCase& c = GetParam();
    EXPECT_EQ(NmeaParser::NumberToString(c.value), QString::fromLatin1(c.plain));
    EXPECT_EQ(NmeaParser::NumberToStringSigned(c.value), QString::fromLatin1(c.signedText));
    EXPECT_EQ(NmeaParser::NumberToDisplayString(c.value), QString::fromLatin1(c.display));
}

INSTANTIATE_TEST_SUITE_P(Values, IntFormatting,
                         ::testing::Values(IntFormatCase{1, "1", "+1", "1"},
                                           IntFormatCase{0, "0", "0", "0"},
                                           IntFormatCase{-7, "-7", "-7", "-7"},
                                           IntFormatCase{INT_MAX, "", "", "-.-"}));

TEST(FixedLengthFormatting, PadsToTheFieldWidth) {
    EXPECT_EQ(NmeaParser::FloatToString_FixedLength(5.25f, 3, 2), "005.25");
    EXPECT_EQ(NmeaParser::FloatToString_FixedLength(123.4f, 2, 1), "123.4"); // wider stays wide
    EXPECT_EQ(NmeaParser::FloatToString_FixedLength(-5.25f, 3, 2), "-05.25");
    EXPECT_EQ(NmeaParser::FloatToString_FixedLength(FLT_MAX, 3, 2), "");
    EXPECT_EQ(NmeaParser::FloatToString_FixedLength_Signed(0.0f, 2, 1), "+00.0");
    EXPECT_EQ(NmeaParser::FloatToString_FixedLength_Signed(-0.0f, 2, 1), "+00.0");
    EXPECT_EQ(NmeaParser::FloatToString_FixedLength_Signed(12.34f, 2, 1), "+12.3");
    EXPECT_EQ(NmeaParser::FloatToString_FixedLength_Signed(-1.5f, 2, 1), "-01.5");
    EXPECT_EQ(NmeaParser::FloatToString_FixedLength_Signed(kNan, 2, 1), "");
    EXPECT_EQ(NmeaParser::IntToString_FixedLength(7, 3, '0'), "007");
    EXPECT_EQ(NmeaParser::IntToString_FixedLength(7, 3, ' '), "  7");
    EXPECT_EQ(NmeaParser::IntToString_FixedLength(-5, 3, '0'), "-05");
    EXPECT_EQ(NmeaParser::IntToString_FixedLength(1234, 3, '0'), "1234");
    EXPECT_EQ(NmeaParser::UintToString_FixedLength(42u, 4), "0042");
    EXPECT_EQ(NmeaParser::UintToString_FixedLength(kAbsentULong, 2), "4294967295");
    EXPECT_EQ(NmeaParser::UlongToString_FixedLenght(42u, 4), "0042");
    EXPECT_EQ(NmeaParser::UlongToString_FixedLenght(kAbsentULong, 4), "");
    EXPECT_EQ(NmeaParser::UlongToString(4000000000u), "4000000000");
    EXPECT_EQ(NmeaParser::UlongToString(kAbsentULong), "");
}

struct ReadCase {
    const char* text;
    bool ok;
    double value; // FLT_MAX / INT_MAX / 0xFFFFFFFF for absent
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
    bool ok = false;
    EXPECT_EQ(NmeaParser::StringToInt("", &ok), INT_MAX);
    EXPECT_TRUE(ok);
    EXPECT_EQ(NmeaParser::StringToInt("-42", &ok), -42);
    EXPECT_TRUE(ok);
    NmeaParser::StringToInt("4.2", &ok);
    EXPECT_FALSE(ok);
    NmeaParser::StringToInt("99999999999", &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(NmeaParser::StringToULong("", &ok), kAbsentULong);
    EXPECT_TRUE(ok);
    EXPECT_EQ(NmeaParser::StringToULong("4000000000", &ok), 4000000000u);
    EXPECT_TRUE(ok);
    NmeaParser::StringToULong("-1", &ok);
    EXPECT_FALSE(ok);
    NmeaParser::StringToULong("4294967296", &ok); // beyond 32 bits, as on the board
    EXPECT_FALSE(ok);
}
} // namespace
