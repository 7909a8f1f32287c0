#include "boardrun.h"

#include <gtest/gtest.h>

namespace {

using SensorRun = BoardRun;

// Without sensor data the unit sends the sensor's reload command every 5 s; the sensor-lost
// check at 16 s restarts the count, so the first three come at about 5, 10 and 15 s.
TEST_F(SensorRun, ASilentSensorIsReloadedEveryFiveSeconds) {
    start();
    // The unit has taken the sensor's data for a while.
    listenFor(8000);
    ASSERT_GT(sensor.sessions(), 0);
    ASSERT_TRUE(reloads().empty()) << "reloaded while the sensor was sending";

    stopSensor();
    const qint64 stoppedAt = clock.elapsed();
    listenFor(17500);

    const qint64 expected[] = {5000, 10000, 15000};
    ASSERT_EQ(reloads().size(), std::size(expected)) << unit.log().constData();
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_NEAR(reloads()[i] - stoppedAt, expected[i], 1500) << "reload " << i + 1;
    }
}

} // namespace
