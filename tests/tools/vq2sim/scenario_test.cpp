#include "scenario.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

struct RampCase {
    const char* name;
    const char* json;
    double seconds;
    double expected;
};

TEST(Scenario, QuantitiesAreConstantsOrBoundedRamps) {
    const RampCase cases[] = {
        {"default", "{}", 10.0, 5.0},
        {"constant", R"({"stwLong": 7.5})", 100.0, 7.5},
        {"ramp", R"({"stwLong": {"start": 1, "rate": 0.5}})", 4.0, 3.0},
        {"ramp held at its maximum", R"({"stwLong": {"start": 0, "rate": 1, "max": 12}})", 60.0,
         12.0},
        {"shoaling held at its floor", R"({"stwLong": {"start": 30, "rate": -0.5, "min": 2}})",
         100.0, 2.0},
    };
    for (const RampCase& c : cases) {
        Scenario s;
        QString error;
        ASSERT_TRUE(Scenario::fromJson(c.json, s, &error)) << c.name << ": " << qPrintable(error);
        EXPECT_DOUBLE_EQ(s.stwLong.at(c.seconds), c.expected) << c.name;
    }
}

TEST(Scenario, FaultsAndFirmwareAreRead) {
    Scenario s;
    ASSERT_TRUE(Scenario::fromJson(R"({"firmware": 214, "faults": {"noAnswers": true,
        "answerDelayMs": 2500, "badChecksumEvery": 5, "garbageEvery": 3, "splitWrites": true,
        "pairWrites": true, "stuck": true, "silent": true}})",
                                   s, nullptr));
    EXPECT_EQ(s.firmware, 214);
    EXPECT_TRUE(s.faults.noAnswers);
    EXPECT_EQ(s.faults.answerDelayMs, 2500);
    EXPECT_EQ(s.faults.badChecksumEvery, 5);
    EXPECT_EQ(s.faults.garbageEvery, 3);
    EXPECT_TRUE(s.faults.splitWrites);
    EXPECT_TRUE(s.faults.pairWrites);
    EXPECT_TRUE(s.faults.stuck);
    EXPECT_TRUE(s.faults.silent);
}

TEST(Scenario, TextThatIsNotAScenarioIsRefusedWithAReason) {
    const char* refused[] = {"", "[1, 2]", "{\"stwLong\": ", "42"};
    for (const char* json : refused) {
        Scenario s;
        QString error;
        EXPECT_FALSE(Scenario::fromJson(json, s, &error)) << json;
        EXPECT_FALSE(error.isEmpty()) << json;
    }
}

// The scenarios shipped with the simulator are what a person starts it with.
TEST(Scenario, EveryBundledScenarioLoads) {
    const QDir folder(QStringLiteral(VQ2SIM_SCENARIOS));
    const QStringList files = folder.entryList({QStringLiteral("*.json")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        Scenario s;
        QString error;
        EXPECT_TRUE(Scenario::load(folder.filePath(file), s, &error))
            << qPrintable(file) << ": " << qPrintable(error);
    }
}

} // namespace
