#include "exponentialfilter.h"
#include "movingaveragewithslewratelimit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct SlewCase {
    const char* name;
    std::vector<float> inputs;
    int averagingCount;
    float expected;
};

TEST(MovingAverageWithSlewRateLimit, EveryStepMovesByTheLimitAndIsAveraged) {
    const SlewCase cases[] = {
        {"first value is taken as is", {3.0f}, 15, 3.0f},
        {"small rise moves by the whole limit", {0.0f, 0.1f}, 1, 0.5f},
        {"small fall moves by the whole limit", {0.0f, -0.1f}, 1, -0.5f},
        {"equal input keeps the output", {2.0f, 2.0f}, 1, 2.0f},
        {"mean of the limited values", {0.0f, 10.0f}, 15, 0.25f},
        {"window drops the oldest", {0.0f, 10.0f, 10.0f}, 2, 0.625f},
    };
    for (const SlewCase& c : cases) {
        MovingAverageWithSlewRateLimit filter;
        filter.setAveragingCount(c.averagingCount);
        for (float x : c.inputs) {
            filter.addValue(x);
        }
        EXPECT_FLOAT_EQ(filter.getValue(), c.expected) << c.name;
        EXPECT_TRUE(filter.getValidity()) << c.name;
    }
}

TEST(ExponentialFilter, SettlesOnTheFirstInputsAtPowerOnLevelNotAtZero) {
    const float levels[] = {5.0f, 12.0f, -8.0f};
    for (float level : levels) {
        ExponentialFilter filter;
        const bool validAfter[] = {false, false, false, false, false, true, true};
        for (bool expected : validAfter) {
            filter.addValue(level);
            EXPECT_EQ(filter.getValidity(), expected) << level;
        }
        EXPECT_FLOAT_EQ(filter.getValue(), level);
    }
}

TEST(ExponentialFilter, RestartKeepsTheOutputInvalidForNineteenInputs) {
    ExponentialFilter filter;
    for (int i = 0; i < 10; ++i) {
        filter.addValue(5.0f);
    }
    ASSERT_TRUE(filter.getValidity());
    filter.setValidity(false);
    for (int i = 1; i < 20; ++i) {
        filter.addValue(5.0f);
        EXPECT_FALSE(filter.getValidity()) << "input " << i;
    }
    filter.addValue(5.0f);
    EXPECT_TRUE(filter.getValidity());
    EXPECT_FLOAT_EQ(filter.getValue(), 5.0f);
}

struct JumpCase {
    const char* name;
    float jump;
    float expected;
};

TEST(ExponentialFilter, LargeJumpsAreHeldOffSmallOnesFollowed) {
    const JumpCase cases[] = {
        {"step below the allowed difference follows with gain 0.05", 3.0f, 10.15f},
        {"step of the allowed difference is held off", 4.0f, 10.0f},
        {"big spike is held off", 50.0f, 10.0f},
    };
    for (const JumpCase& c : cases) {
        ExponentialFilter filter;
        for (int i = 0; i < 6; ++i) {
            filter.addValue(10.0f);
        }
        filter.addValue(10.0f + c.jump);
        EXPECT_NEAR(filter.getValue(), c.expected, 1e-4) << c.name;
    }
}

TEST(ExponentialFilter, UnsteadyInputsAreInvalid) {
    ExponentialFilter filter;
    for (int i = 0; i < 20; ++i) {
        filter.addValue(i % 2 == 0 ? 0.0f : 30.0f);
    }
    EXPECT_GT(filter.getAbsErrorAvg(), 10.0f);
    EXPECT_FALSE(filter.getValidity());
}

TEST(ExponentialFilter, TooManyHeldOffInputsRestartTheFilter) {
    ExponentialFilter filter;
    for (int i = 0; i < 6; ++i) {
        filter.addValue(0.0f);
    }
    // 20 rejections count up, the 21st restarts; the new level is accepted from then on.
    for (int i = 0; i < 21; ++i) {
        filter.addValue(100.0f);
    }
    for (int i = 0; i < 20; ++i) {
        filter.addValue(100.0f);
    }
    EXPECT_TRUE(filter.getValidity());
    EXPECT_NEAR(filter.getValue(), 100.0f, 1e-3);
}

} // namespace
