#include "crc8.h"

#include <gtest/gtest.h>

namespace {
// 0: correct, 1: none, -1: wrong, -2: "*" not third from the end. The sum is the XOR of the
// characters as the line carries them, Latin-1, with anything beyond it sent as "?".
// Expected checksums were computed outside the project.
TEST(Checksum, ValidationClassifiesTheChecksum) {
    const std::pair<QString, int> cases[] = {
        {"GPHDT,123.4,T*31", 0},
        {"GPHDT,12.9,T*0f", 0}, // lower-case digits accepted
        {"AA*00", 0},
        {QStringLiteral("\u20AC*3F"), 0},
        {QStringLiteral("\u00C4*C4"), 0},
        {QStringLiteral("\u00FF*FF"), 0},
        {"GPHDT,123.4,T*3a", -1},
        {"GPHDT,123.4,T*32", -1},
        {"GPHDT,123.4,T*G1", -1}, // not hexadecimal
        {"GPHDT,123.4,T", 1},
        {"GPHDT,123.4,T*3", -2},
        {"GPHDT,12*3.4,T", -2},
    };
    for (const auto& [sentence, expected] : cases) {
        EXPECT_EQ(CRC8::validateCrc(sentence), expected) << sentence.toStdString();
    }
}
} // namespace
