#include "scenario.h"

#include <QDir>

#include <optional>
#include <tuple>

#include <gtest/gtest.h>

namespace {

struct TextCase {
    const char* name;
    const char* json;
    std::optional<double> stwLongAfter10s; // none: refused with a reason
};

TEST(Scenario, QuantitiesAreConstantsOrBoundedRampsAndOtherTextIsRefused) {
    const TextCase cases[] = {
        {"default", "{}", 5.0},
        {"constant", R"({"stwLong": 7.5})", 7.5},
        {"ramp", R"({"stwLong": {"start": 1, "rate": 0.5}})", 6.0},
        {"ramp held at its maximum", R"({"stwLong": {"start": 0, "rate": 2, "max": 12}})", 12.0},
        {"shoaling held at its floor", R"({"stwLong": {"start": 30, "rate": -5, "min": 2}})", 2.0},
        {"empty", "", std::nullopt},
        {"not an object", "[1, 2]", std::nullopt},
        {"cut short", R"({"stwLong": )", std::nullopt},
    };
    for (const TextCase& c : cases) {
        Scenario s;
        QString error;
        EXPECT_EQ(Scenario::fromJson(c.json, s, &error), c.stwLongAfter10s.has_value()) << c.name;
        EXPECT_EQ(error.isEmpty(), c.stwLongAfter10s.has_value()) << c.name;
        EXPECT_DOUBLE_EQ(s.stwLong.at(10.0), c.stwLongAfter10s.value_or(5.0)) << c.name;
    }
}

// A misspelt key would leave a fault out of a run without a word.
TEST(Scenario, TheFirmwareAndEveryFaultAreRead) {
    Scenario s;
    ASSERT_TRUE(
        Scenario::fromJson(R"({"firmware": 214, "faults": {"silent": true, "noAnswers": true,
        "answerDelayMs": 2500, "badChecksumEvery": 5, "garbageEvery": 3, "splitWrites": true,
        "pairWrites": true, "stuck": true, "cutEvery": 11, "burstEvery": 60,
        "silenceEverySeconds": 110, "silenceSeconds": 30, "reopenEverySeconds": 50}})",
                           s, nullptr));
    const Faults& f = s.faults;
    EXPECT_EQ(std::tuple(s.firmware, f.silent, f.noAnswers, f.answerDelayMs, f.badChecksumEvery,
                         f.garbageEvery, f.splitWrites, f.pairWrites, f.stuck, f.cutEvery,
                         f.burstEvery, f.silenceEverySeconds, f.silenceSeconds,
                         f.reopenEverySeconds),
              std::tuple(214, true, true, 2500, 5, 3, true, true, true, 11, 60, 110, 30, 50));
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
