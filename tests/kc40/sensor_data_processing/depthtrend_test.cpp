#include "depthtrendevaluator.h"
#include "sensordatavalidator.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct DepthRun {
    float fwd;
    float side;
    int count;
};

// What the evaluator asks for: "LOW", "HIGH" or nothing.
QString asks(const depthTrendEvaluator& evaluator) {
    return (evaluator.switchToLowDepthMode() ? depthTrendEvaluator::kLow : QString()) +
           (evaluator.switchToHighDepthMode() ? depthTrendEvaluator::kHigh : QString());
}

TEST(DepthTrendEvaluator, SwitchesWithHysteresisAndConfirmationCounts) {
    const QString high = depthTrendEvaluator::kHigh;
    const QString low = depthTrendEvaluator::kLow;
    std::vector<DepthRun> shoaling; // 39 m up to 21 m, 3 m a reading
    for (float depth = 39; depth >= 21; depth -= 3) {
        shoaling.push_back({depth, depth, 1});
    }
    // name, mode, runs, what it asks for, depth lost
    const std::tuple<const char*, QString, std::vector<DepthRun>, QString, bool> cases[] = {
        {"a fresh unit asks for LOW at once", high, {}, low, false},
        {"four deep readings in LOW are not enough", low, {{60, 60, 4}}, "", false},
        {"the fifth deep reading in LOW switches", low, {{60, 60, 5}}, high, false},
        {"one deep beam is enough", low, {{30, 52, 5}}, high, false},
        {"a shallow one restarts", low, {{60, 60, 4}, {30, 30, 1}, {60, 60, 4}}, "", false},
        {"51.9 m is not deep", low, {{51.9f, 51.9f, 10}}, "", false},
        {"59 shallow readings in HIGH are not enough", high, {{30, 30, 59}}, "", false},
        {"the sixtieth shallow reading switches", high, {{30, 30, 60}}, low, false},
        {"both beams must be shallow", high, {{30, 45, 80}}, "", false},
        {"40.42 m is not shallow", high, {{40.42f, 40.42f, 80}}, "", false},
        {"40.40 m is shallow", high, {{40.40f, 40.40f, 60}}, low, false},
        {"a deep one takes one off", high, {{30, 30, 59}, {45, 45, 1}, {30, 30, 1}}, "", false},
        {"steady shoaling switches at once", high, shoaling, low, false},
        {"225 m is invalid: three make the depth lost", high, {{225, 30, 3}}, "", true},
        {"224.9 m is valid", high, {{224.9f, 30, 10}}, "", false},
        {"a lost depth in LOW asks for HIGH at once", low, {{30, 300, 3}}, high, true},
        {"old invalid depths stop counting", high, {{300, 30, 3}, {30, 30, 10}}, "", false},
    };
    for (const auto& [name, mode, runs, asked, lost] : cases) {
        depthTrendEvaluator evaluator;
        evaluator.setMode(mode);
        if (mode == high && !runs.empty()) {
            // Leave the start-up request for LOW behind: the unit came up in HIGH.
            evaluator.setMode(low);
            for (int i = 0; i < 5; ++i) {
                evaluator.addToDepthLists(100, 100);
            }
            evaluator.setMode(high);
            evaluator.addToDepthLists(100, 100);
        }
        for (const DepthRun& run : runs) {
            for (int i = 0; i < run.count; ++i) {
                evaluator.addToDepthLists(run.fwd, run.side);
            }
        }
        EXPECT_EQ(asks(evaluator), asked) << name;
        EXPECT_EQ(evaluator.isDepthLost(), lost) << name;
    }
}

// A forced switch asks for the mode in force again (HIGH still asks for LOW) until it is set.
TEST(DepthTrendEvaluator, ForcedSwitchReappliesTheModeInForceUntilSet) {
    for (const QString& mode : {depthTrendEvaluator::kHigh, depthTrendEvaluator::kLow}) {
        SCOPED_TRACE(mode.toStdString());
        depthTrendEvaluator evaluator;
        evaluator.setMode(mode);
        evaluator.setForceSwitch(true);
        EXPECT_TRUE(evaluator.switchToLowDepthMode());
        EXPECT_EQ(evaluator.switchToHighDepthMode(), mode == depthTrendEvaluator::kHigh);
        evaluator.setMode(mode);
        EXPECT_FALSE(evaluator.getForceSwitch());
    }
}

TEST(SensorDataValidator, DepthsUpToThirtyMetresAboveTheAverageAreAccepted) {
    // depth, accepted beside an average of 20 m
    const std::tuple<float, bool> cases[] = {{50.0f, true}, {50.1f, false}, {-10.0f, true}};
    for (const auto& [value, ok] : cases) {
        EXPECT_EQ(sensor_data_validator::checkIfDepthTooFarFromAverage(value, 20.0f), ok) << value;
    }
}

} // namespace
