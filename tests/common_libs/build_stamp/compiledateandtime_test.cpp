#include "compiledateandtime.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {
TEST(CompileDateAndTime, CompilerTextsBecomeTwelveDigits) {
    EXPECT_EQ(CompileDateAndTime::timestampFrom("Dec  6 2026", "18:54:39"), "261206185439");
    EXPECT_EQ(CompileDateAndTime::timestampFrom("Jan 31 2027", "00:00:00"), "270131000000");
    EXPECT_EQ(CompileDateAndTime::timestampFrom("Foo 31 2027", "00:00:00"), "");
    EXPECT_EQ(CompileDateAndTime::timestampFrom("Feb 30 2027", "00:00:00"), "");
    EXPECT_TRUE(QRegularExpression("^\\d{12}$")
                    .match(CompileDateAndTime::getCompileTimestampAsNumber())
                    .hasMatch());
}
} // namespace
