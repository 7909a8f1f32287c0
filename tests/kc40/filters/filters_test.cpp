#include "exponentialfilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

// An output nobody may rely on yet.
constexpr float kAny = std::numeric_limits<float>::quiet_NaN();

struct Inputs {
    float value;
    int count; // 0: the output is declared invalid instead, as a lost sensor does
};

TEST(ExponentialFilter, SettlesOnItsFirstInputsHoldsOffJumpsAndRestartsAfterTooMany) {
    std::vector<Inputs> unsteady;
    for (int i = 0; i < 10; ++i) {
        unsteady.insert(unsteady.end(), {{0.0f, 1}, {30.0f, 1}});
    }
    // name, input runs, valid, output
    const std::tuple<const char*, std::vector<Inputs>, bool, float> cases[] = {
        {"five inputs do not settle", {{5.0f, 5}}, false, kAny},
        {"the sixth settles at the power-on level", {{5.0f, 6}}, true, 5.0f},
        {"not at zero", {{12.0f, 7}}, true, 12.0f},
        {"negative levels alike", {{-8.0f, 7}}, true, -8.0f},
        {"restarted: 19 stay invalid", {{5.0f, 10}, {0.0f, 0}, {5.0f, 19}}, false, kAny},
        {"the twentieth is valid", {{5.0f, 10}, {0.0f, 0}, {5.0f, 20}}, true, 5.0f},
        {"a step under 4 follows, gain 0.05", {{10.0f, 6}, {13.0f, 1}}, true, 10.15f},
        {"a step of the allowed difference is held off", {{10.0f, 6}, {14.0f, 1}}, true, 10.0f},
        {"a spike is held off, the inputs unsteady", {{10.0f, 6}, {60.0f, 1}}, false, 10.0f},
        {"alternating inputs are unsteady", unsteady, false, kAny},
        // 20 rejections count up, the 21st restarts; the new level is taken from then on.
        {"too many held off restart at the new level", {{0.0f, 6}, {100.0f, 41}}, true, 100.0f},
    };
    for (const auto& [name, runs, valid, value] : cases) {
        ExponentialFilter filter;
        for (const Inputs& run : runs) {
            if (run.count == 0) {
                filter.setValidity(false);
            }
            for (int i = 0; i < run.count; ++i) {
                filter.addValue(run.value);
            }
        }
        EXPECT_EQ(filter.getValidity(), valid) << name;
        if (!std::isnan(value)) {
            EXPECT_NEAR(filter.getValue(), value, 1e-3) << name;
        }
    }
}

} // namespace
