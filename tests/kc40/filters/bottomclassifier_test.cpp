#include "bottomclassifier.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct DepthRun {
    float depth;
    int count;
};

struct ClassifierCase {
    const char* name;
    std::vector<DepthRun> runs;
    BottomStatus status;
    bool lastValid;
    bool reportedLost; // after the time-out
};

std::vector<DepthRun> alternating(float a, float b, int pairs) {
    std::vector<DepthRun> runs;
    for (int i = 0; i < pairs; ++i) {
        runs.push_back({a, 1});
        runs.push_back({b, 1});
    }
    return runs;
}

std::vector<DepthRun> join(std::vector<DepthRun> a, const std::vector<DepthRun>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Depth runs; the bottom state, whether the newest sample was valid, and whether the bottom is
// reported lost after the time-out. One sample far off is counted but changes nothing; leaving
// "too deep" takes 29 good of the newest 30, leaving "too shallow" 27; unsteady depths are
// too shallow or too deep by their mean.
TEST(BottomClassifier, StateChangesOnlyWhenEnoughNewestSamplesAgree) {
    const ClassifierCase cases[] = {
        {"steady bottom", {{50, 30}}, BOTTOM_VALID, true, false},
        {"41 m deeper", {{10, 20}, {51, 1}}, BOTTOM_VALID, false, false},
        {"five beyond the maximum", {{100, 20}, {230, 5}}, BOTTOM_VALID, false, false},
        {"the sixth: too deep", {{100, 20}, {230, 6}}, BOTTOM_LOST_TOO_DEEP, false, false},
        {"lost after the time-out", {{100, 20}, {230, 25}}, BOTTOM_LOST_TOO_DEEP, false, true},
        {"seven below the minimum", {{2, 30}, {0.2f, 7}}, BOTTOM_VALID, false, false},
        {"the eighth: too shallow", {{2, 30}, {0.2f, 8}}, BOTTOM_LOST_TOO_SHALLOW, false, false},
        {"28 good", {{100, 20}, {230, 6}, {100, 28}}, BOTTOM_LOST_TOO_DEEP, true, false},
        {"29 of 30 good", {{100, 20}, {230, 6}, {100, 29}}, BOTTOM_VALID, true, false},
        {"26 good", {{2, 30}, {0.2f, 8}, {2, 26}}, BOTTOM_LOST_TOO_SHALLOW, true, false},
        {"27 of 30 good", {{2, 30}, {0.2f, 8}, {2, 27}}, BOTTOM_VALID, true, false},
        {"5/120 m", alternating(5, 120, 5), BOTTOM_LOST_TOO_SHALLOW, false, false},
        {"130/240 m", alternating(130, 240, 5), BOTTOM_LOST_TOO_DEEP, false, false},
        {"nine unsteady", join({{5, 1}}, alternating(120, 5, 4)), BOTTOM_VALID, true, false},
    };
    for (const ClassifierCase& c : cases) {
        BottomClassifier classifier;
        for (const DepthRun& run : c.runs) {
            for (int i = 0; i < run.count; ++i) {
                classifier.addSample(run.depth);
            }
        }
        EXPECT_EQ(classifier.getBottomStatus(), c.status) << c.name;
        EXPECT_EQ(classifier.newestSampleStatus() == DEPTH_SAMPLE_VALID, c.lastValid) << c.name;
        EXPECT_EQ(classifier.isBottomLost(), c.reportedLost) << c.name;
        EXPECT_EQ(classifier.isBottomValid(), !c.reportedLost) << c.name;
    }
}

// A steady bottom the beam saw before the case's depths.
float goodBefore(float depth) {
    if (depth > 225.0f) {
        return 100.0f;
    }
    return depth < 0.5f ? 2.0f : depth;
}

// Lost at once when either beam loses the bottom, still valid until the time-out; two minutes
// without a sample (the once-a-second count) clear the beams.
TEST(BottomClassifierBothAxis, LostAtOnceFromEitherBeamValidUntilTheTimeOut) {
    // name, forward and side depth, readings, silent seconds, lost, valid, too shallow
    const std::tuple<const char*, float, float, int, int, bool, bool, bool> cases[] = {
        {"both good", 50, 50, 30, 0, false, true, false},
        {"one beam too deep, in the time-out", 230, 50, 6, 0, true, true, false},
        {"one beam too deep past the time-out", 230, 50, 30, 0, true, false, false},
        {"one beam too shallow is not too shallow", 0.2f, 50, 30, 0, true, false, false},
        {"both too shallow", 0.2f, 0.2f, 30, 0, true, false, true},
        {"119 s silent", 230, 230, 10, 119, true, true, false},
        {"120 s silent", 230, 230, 10, 120, false, true, false},
    };
    for (const auto& [name, fwd, side, count, silent, lost, valid, tooShallow] : cases) {
        BottomClassifierBothAxis both;
        for (int i = 0; i < 20; ++i) {
            both.addSample(goodBefore(fwd), goodBefore(side));
        }
        for (int i = 0; i < count; ++i) {
            both.addSample(fwd, side);
        }
        for (int i = 0; i < silent; ++i) {
            both.timeoutCounter();
        }
        EXPECT_EQ(both.isBottomLost(), lost) << name;
        EXPECT_EQ(both.isBottomValid(), valid) << name;
        EXPECT_EQ(both.isTooShallow(), tooShallow) << name;
    }
}

} // namespace
