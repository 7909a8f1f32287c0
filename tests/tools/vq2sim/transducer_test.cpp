#include "transducer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace {

// The unit turns a beam's report back into the ship's values: speed = beam / 2 / sin(angle),
// depth = 1.03 x slant x cos(angle) + 0.4. The simulated sensor must survive that round trip at
// every beam angle, on the data sheet and beyond its ends.
TEST(Transducer, FollowsTheDataSheetSoTheUnitGetsTheShipsValuesBack) {
    // Water temperature (C) and beam angle (degrees).
    const std::pair<double, double> cases[] = {
        {-8.0, 27.12}, {16.0, 30.55}, {12.5, 30.045}, {40.0, 33.48}, {45.0, 34.02}, {-10.0, 26.84},
    };
    for (const auto& [temperature, degrees] : cases) {
        EXPECT_NEAR(Transducer::beamAngleDeg(temperature), degrees, 1e-3) << temperature;
        const double angle = degrees * M_PI / 180.0;
        EXPECT_NEAR(Transducer::beamSpeed(14.0, temperature) / 2.0 / std::sin(angle), 14.0, 1e-3)
            << temperature;
        EXPECT_NEAR(1.03 * Transducer::slantRange(48.0, temperature) * std::cos(angle) + 0.4, 48.0,
                    1e-3)
            << temperature;
    }
}

} // namespace
