#include "crc8.h"

#include <gtest/gtest.h>

namespace {
// Expected checksums were computed outside the project (XOR over the body, by hand script).
struct ChecksumCase {
    const char* body;
    const char* checksum;
};

void PrintTo(const ChecksumCase& c, std::ostream* os) {
    *os << '"' << c.body << '"';
}

class ChecksumTable : public ::testing::TestWithParam<ChecksumCase> {};

TEST_P(ChecksumTable, XorOfTheBodyInUpperCaseHex) {
    EXPECT_EQ(CRC8::calculateChecksum(QString::fromLatin1(GetParam().body)),
              QString::fromLatin1(GetParam().checksum));
}

INSTANTIATE_TEST_SUITE_P(Sentences, ChecksumTable,
                         ::testing::Values(ChecksumCase{"VDVBW,12.3,0.1,A,,,V,0.2,A,,V", "4C"},
                                           ChecksumCase{"GPHDT,123.4,T", "31"},
                                           ChecksumCase{"PNRVXYZ,1,2", "42"},
                                           ChecksumCase{"", "00"}, ChecksumCase{"A", "41"},
                                           ChecksumCase{"AA", "00"}));

struct ValidationCase {
    const char* sentence;
    int expected;
};

void PrintTo(const ValidationCase& c, std::ostream* os) {
    *os << '"' << c.sentence << '"';
}

class ValidationTable : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(ValidationTable, ClassifiesTheChecksum) {
    EXPECT_EQ(CRC8::validateCrc(QString::fromLatin1(GetParam().sentence)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, ValidationTable,
                         ::testing::Values(ValidationCase{"GPHDT,123.4,T*31", 0}, // correct
                                           ValidationCase{"GPHDT,123.4,T*3a",
                                                          -1}, // wrong, lower case digit
                                           ValidationCase{"GPHDT,123.4,T*32", -1}, // wrong
                                           ValidationCase{"GPHDT,123.4,T", 1},     // none
                                           ValidationCase{"GPHDT,123.4,T*3", -2},  // one digit only
                                           ValidationCase{"GPHDT,12*3.4,T", -2}, // star in a field
                                           ValidationCase{"VDVBW,1*4c", 0}, // lower case accepted
                                           ValidationCase{"GPHDT,123.4,T*G1", -1})); // not hex

// The line carries Latin-1: a character beyond it goes out, and is summed, as "?".
TEST(Checksum, CharactersBeyondLatin1CountAsTheQuestionMarkTheLineCarries) {
    EXPECT_EQ(CRC8::calculateChecksum(QStringView(u"\u20AC")), QStringLiteral("3F"));
    EXPECT_EQ(CRC8::calculateChecksum(QString(QChar(0xC4))), QStringLiteral("C4"));
}
} // namespace
