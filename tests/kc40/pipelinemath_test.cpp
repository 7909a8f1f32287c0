#include "pipelinemath.h"

#include "nmeaparser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace {

using namespace PipelineMath;

constexpr float kDeg = kPi / 180.0f;

TEST(PipelineMath, AnglesStayWithinAHalfTurnAndCoursesTurnByAtMostTenDegrees) {
    const std::pair<float, float> wrapped[] = {{0.0f, 0.0f},
                                               {3.0f * kPi / 2.0f, -kPi / 2.0f},
                                               {-3.0f * kPi / 2.0f, kPi / 2.0f},
                                               {5.0f * kPi + 0.5f, -kPi + 0.5f},
                                               {1.0f, 1.0f}};
    for (const auto& [in, out] : wrapped) {
        EXPECT_NEAR(normaliseAngle(in), out, 1e-5) << in;
    }
    const std::tuple<float, float, float> turns[] = {
        {179.0f, -179.0f, -179.0f}, // +2 degrees across the date line, not -358
        {-179.0f, 179.0f, 179.0f},  {0.0f, 5.0f, 5.0f},
        {0.0f, 10.0f, 10.0f},       {0.0f, 30.0f, 10.0f},
        {0.0f, -90.0f, -10.0f},     {175.0f, -150.0f, -175.0f}, // limited, and back inside +-180
        {-175.0f, 150.0f, 175.0f},
    };
    for (const auto& [oldDeg, newDeg, expectedDeg] : turns) {
        EXPECT_NEAR(limitAngleChange(oldDeg * kDeg, newDeg * kDeg), expectedDeg * kDeg, 1e-5)
            << oldDeg << " -> " << newDeg;
    }
}

TEST(PipelineMath, BoatAxesTurnedByTheInstallationAngle) {
    const std::tuple<float, float, float, float, float> cases[] = {
        {10.0f, 0.0f, 0.0f, 10.0f, 0.0f},
        {10.0f, 0.0f, 90.0f, 0.0f, -10.0f},
        {0.0f, 10.0f, 90.0f, 10.0f, 0.0f},
        {10.0f, 1.0f, 5.0f, 10.0491f, 0.1246f},
    };
    for (const auto& [lon, tra, angleDeg, outLon, outTra] : cases) {
        const auto [turnedLon, turnedTra] = rotate(lon, tra, angleDeg * kDeg);
        EXPECT_NEAR(turnedLon, outLon, 1e-3) << angleDeg;
        EXPECT_NEAR(turnedTra, outTra, 1e-3) << angleDeg;
    }
}

TEST(PipelineMath, DistancesCoverOnlyRealElapsedTime) {
    const std::tuple<const char*, quint64, quint64, float, float> cases[] = {
        {"no previous value adds nothing", 1'700'000'000'000, 0, 10.0f, 0.0f},
        {"time going backwards adds nothing", 1000, 2000, 10.0f, 0.0f},
        {"same time adds nothing", 2000, 2000, 10.0f, 0.0f},
        {"half a second at 10 kn", 1'700'000'000'500, 1'700'000'000'000, 10.0f, 10.0f / 7200.0f},
        {"an hour at 12 kn", 3'600'000 + 5, 5, 12.0f, 12.0f},
    };
    for (const auto& [name, now, previous, speed, distance] : cases) {
        EXPECT_NEAR(distanceNm(speed, elapsedMs(now, previous)), distance, 1e-7) << name;
    }
}

TEST(PipelineMath, DepthSpeedAndSternFormulas) {
    EXPECT_FLOAT_EQ(fitDepth(10.0f), 10.7f);
    EXPECT_NEAR(beamToAxisSpeed(10.0f, 30.0f * kDeg), 10.0f, 1e-5);
    // 60 degrees a minute over 144 m: 60 x 144 x pi / 10800 m/s = 2.513 m/s = 4.886 kn.
    EXPECT_NEAR(sternSpeed(1.0f, 60.0f, 144.0f), 1.0f - 4.8854f, 1e-3);
    const std::tuple<float, float, float> clamps[] = {{0.15f, 0.1f, 0.1f},
                                                      {-0.15f, 0.1f, -0.1f},
                                                      {0.05f, 0.1f, 0.05f},
                                                      {kAbsentFloat, 0.2f, kAbsentFloat}};
    for (const auto& [in, limit, out] : clamps) {
        EXPECT_EQ(clampLowSpeed(in, limit), out) << in;
    }
}

TEST(PipelineMath, AveragingFollowsSpeedAndGpsStandstill) {
    const std::tuple<bool, bool, float, Averaging> cases[] = {
        {false, false, 6.5f, LowSpeedAvr}, {false, false, 6.6f, NormalAvr},
        {false, true, 2.0f, LowSpeedAvr},  {true, false, 12.0f, NormalAvr},
        {true, true, 12.0f, GPS_StillAvr},
    };
    for (const auto& [lowSpeedGps, still, speed, expected] : cases) {
        EXPECT_EQ(chooseAveraging(lowSpeedGps, still, speed), expected) << speed;
    }
}

TEST(PipelineMath, PreferredFrequencyForSpeedThroughWater) {
    const AxisQuality none{false, false, 0, 0};
    const auto q = [](int l, int t) { return AxisQuality{true, true, l, t}; };
    const std::tuple<const char*, AxisQuality, AxisQuality, bool, int> cases[] = {
        {"only the primary valid", q(3, 3), none, true, 0},
        {"only the second valid", none, q(3, 3), false, 1},
        {"neither valid", none, none, false, -1},
        {"one axis of the second is not enough", q(2, 2), {true, false, 9, 9}, true, 0},
        {"low primary good enough", q(6, 7), q(9, 9), false, 0},
        {"low primary weaker than second", q(4, 8), q(5, 5), false, 1},
        {"low primary ties", q(4, 8), q(4, 9), false, 0},
        {"high second good enough", q(9, 9), q(6, 6), true, 1},
        {"high second weaker", q(5, 5), q(4, 9), true, 0},
        {"high ties", q(4, 5), q(4, 9), true, 1},
    };
    for (const auto& [name, dat4, dat5, primaryHigh, source] : cases) {
        EXPECT_EQ(selectPreferedFrequency(dat4, dat5, primaryHigh), source) << name;
    }
}

} // namespace
