#include "beamanglecorrection.h"
#include "sensorspeed.h"
#include "sensortemperature.h"
#include "tilt.h"
#include "unitconverter.h"

#include "nmeaparser.h"
#include "platform.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr float kMaxSpeed = 30.0f;
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr int kFiveSeconds = 5; // a window of 10 samples, alpha 0.285

TEST(SensorSpeed, SpeedsFallIntoFourKnotBlocksRoundedAwayFromZero) {
    // speed, its block
    const std::tuple<float, int> cases[] = {
        {2.0f, 16}, {-2.0f, 14}, {1.9f, 15},   {-1.9f, 15},  {0.0f, 15}, {5.9f, 16},
        {6.0f, 17}, {58.0f, 30}, {200.0f, 30}, {-200.0f, 0}, {kInf, 30}, {-kAbsentFloat, 0}};
    for (const auto& [speed, block] : cases) {
        EXPECT_EQ(SensorSpeed::blockOf(speed), block) << speed;
    }
}

struct SpeedRun {
    float speed;
    int count;
    quint8 quality = 9;
};

TEST(SensorSpeed, AveragesOnlyPlausibleSamplesNearTheRecentSpeed) {
    // name, sample runs, valid, speed
    const std::tuple<const char*, std::vector<SpeedRun>, bool, float> cases[] = {
        {"fewer than ten samples stay invalid", {{10.0f, 9}}, false, 0.0f},
        {"a full window uses one sample: too few", {{10.0f, 10}}, false, 10.0f},
        {"the next sample makes it valid at the block mean", {{10.0f, 11}}, true, 10.0f},
        {"quality 2 is never counted", {{10.0f, 30, 2}}, false, 0.0f},
        {"faster than the vessel can go is never counted", {{37.0f, 30}}, false, 0.0f},
        {"a small step is filtered with alpha", {{10.0f, 12}, {11.0f, 1}}, true, 10.285f},
        {"a jump of 3 kn freezes the output", {{10.0f, 12}, {13.0f, 1}}, true, 10.0f},
        {"a jump just under 3 kn is taken", {{10.0f, 12}, {12.9f, 1}}, true, 10.8265f},
        {"frozen while two used samples remain", {{10.0f, 12}, {14.0f, 8}}, true, 10.0f},
        {"invalid with fewer than two used", {{10.0f, 12}, {14.0f, 9}}, false, 10.0f},
        {"restarts from the new block mean", {{10.0f, 12}, {14.0f, 11}}, true, 14.0f},
        {"negative speeds average alike", {{-6.0f, 11}}, true, -6.0f},
    };
    for (const auto& [name, runs, valid, value] : cases) {
        SensorSpeed speed;
        speed.init(true, 2);
        for (const SpeedRun& run : runs) {
            for (int i = 0; i < run.count; ++i) {
                speed.setValue(run.speed, run.quality, kFiveSeconds, kMaxSpeed);
            }
        }
        EXPECT_EQ(speed.getValidity(), valid) << name;
        if (valid) {
            EXPECT_NEAR(speed.getValue(), value, 1e-3) << name;
        }
        EXPECT_LE(speed.windowSize(), 10) << name;
    }
}

TEST(SensorSpeed, WindowFollowsTheAveragingTimeButNeverBelowTen) {
    // averaging seconds, window in samples
    const std::tuple<int, int> cases[] = {{0, 10}, {3, 10}, {5, 10}, {8, 16}, {60, 120}};
    for (const auto& [seconds, window] : cases) {
        SensorSpeed speed;
        speed.init(false, 2);
        for (int i = 0; i < 200; ++i) {
            speed.setValue(1.0f, 9, seconds, kMaxSpeed);
        }
        EXPECT_EQ(speed.windowSize(), window) << seconds;
        speed.invalidateData();
        EXPECT_FALSE(speed.getValidity());
        EXPECT_EQ(speed.windowSize(), 0);
    }
}

TEST(Tilt, SensorReadingsInThousandthsLessTheInstallationOffsets) {
    // accelerometer x, y, z, roll and pitch offsets, roll and pitch (rad)
    const std::tuple<float, float, float, double, double, float, float> cases[] = {
        {0.0f, 0.0f, 0.0f, 0.0, 0.0, 0.0f, 0.0f},
        // z is the first accelerometer argument, y the second, x adds to 1 g.
        {0.0f, 0.0f, 100.0f, 0.0, 0.0, 0.0764551f, -0.0641905f},
        {0.0f, 100.0f, 0.0f, 0.01, -0.02, 0.0641905f, 0.0764551f},
        {-50.0f, -100.0f, 200.0f, 0.0, 0.0, 0.0933387f, -0.2126935f},
    };
    for (const auto& [x, y, z, rollOffset, pitchOffset, roll, pitch] : cases) {
        Tilt tilt;
        tilt.calculateTilt(x, y, z, 1000, rollOffset, pitchOffset);
        EXPECT_NEAR(tilt.tilt_X_sensor.getValue(), roll, 1e-6);
        EXPECT_NEAR(tilt.tilt_Y_sensor.getValue(), pitch, 1e-6);
        EXPECT_NEAR(tilt.tilt_X_boat.getValue(), roll - rollOffset, 1e-6);
        EXPECT_NEAR(tilt.tilt_Y_boat.getValue(), pitch - pitchOffset, 1e-6);
        EXPECT_FLOAT_EQ(tilt.tilt_Z_boat.getValue(), 0.0f);
        tilt.invalidateData();
        EXPECT_FALSE(tilt.tilt_X_sensor.getValidity());
    }
}

qint64 fixedNow() {
    return 1'700'000'000'000;
}

class ClockFixture : public ::testing::Test {
protected:
    ClockFixture() { Clock::setSource(&fixedNow); }
    ~ClockFixture() override { Clock::setSource(nullptr); }
    static quint64 now() { return static_cast<quint64>(fixedNow()); }
};

using SensorTemperatureTest = ClockFixture;

TEST_F(SensorTemperatureTest, SelfHeatingRemovedAndUserOffsetAdded) {
    // readings, user offset, average less self-heating, with the offset
    const std::tuple<std::vector<float>, float, float, float> cases[] = {
        {{26.0f}, 0.0f, 21.0f, 21.0f},
        {{26.0f}, 1.5f, 21.0f, 22.5f},
        {{20.0f, 30.0f}, -2.0f, 20.0f, 18.0f},
    };
    for (const auto& [readings, offset, avg, withOffset] : cases) {
        SensorTemperature temperature;
        for (float t : readings) {
            temperature.setValue(t, now());
        }
        temperature.addUsersTemperatureOffset(now(), offset);
        EXPECT_FLOAT_EQ(temperature.temperatureAvg.getValue(), avg);
        EXPECT_FLOAT_EQ(temperature.temperatureWithOffset.getValue(), withOffset);
        temperature.invalidateData();
        temperature.addUsersTemperatureOffset(now(), offset);
        EXPECT_FALSE(temperature.temperatureWithOffset.getValidity());
    }
}

TEST(BeamAngleCorrection, AngleInterpolatedOverWaterTemperature) {
    // water temperature, beam angle in degrees: between the table's points, at its ends and,
    // outside it, the angle at 18 degC
    const std::tuple<float, float> cases[] = {
        {-8.0f, 27.12f}, {9.0f, 29.54f},      {21.0f, 31.235714f}, {45.0f, 34.02f},
        {50.0f, 34.56f}, {60.0f, 30.824286f}, {-9.0f, 30.824286f}, {kNaN, 30.824286f}};
    for (const auto& [temperature, degrees] : cases) {
        EXPECT_NEAR(BeamAngleCorrection::beamAngleDegrees(temperature), degrees, 1e-4)
            << temperature;
    }
}

using BeamAngleTiltTest = ClockFixture;

TEST_F(BeamAngleTiltTest, RollTurnsTheTransverseBeamsAndPitchTheLongOnes) {
    SensorTemperature temperature;
    Tilt tilt;
    BeamAngleCorrection beam;
    beam.calculateBeamCorrection(tilt, temperature);
    const float at18 = UnitConverter::degToRad(30.824286f);
    EXPECT_NEAR(beam.beamAngleResultant_Long, at18, 1e-6);
    EXPECT_NEAR(beam.beamAngleResultant_Tra, at18, 1e-6);

    temperature.setValue(26.0f, now());
    temperature.addUsersTemperatureOffset(now(), 0.0f);
    tilt.calculateTilt(0.0f, 0.0f, 100.0f, now(), 0.0, 0.0);
    beam.calculateBeamCorrection(tilt, temperature);
    const float at21 = UnitConverter::degToRad(31.235714f);
    EXPECT_NEAR(beam.beamAngleWithTempCorrection, at21, 1e-6);
    EXPECT_NEAR(beam.beamAngleResultant_Tra, at21 - 0.0764551f, 1e-6);
    EXPECT_NEAR(beam.beamAngleResultant_Long, at21 + 0.0641905f, 1e-6);
}

// A value an integer field cannot carry is the unknown INT_MAX; the rest truncates toward zero.
TEST(UnitConverter, ScaledIntegersSaturateAndMarkTheUnknown) {
    const std::tuple<float, int, int> cases[] = {
        {10.5f, 100, 1050},           {-0.5f, 100, -50},
        {10.999f, 100, 1099},         {-1.2395f, 1000, -1239},
        {kAbsentFloat, 100, INT_MAX}, {-kAbsentFloat, 100, INT_MAX},
        {1e30f, 100, INT_MAX},        {-1e30f, 100, INT_MAX},
        {kInf, 10, INT_MAX},          {kNaN, 10, INT_MAX},
        {21474836.0f, 100, INT_MAX}};
    for (const auto& [x, scale, expected] : cases) {
        EXPECT_EQ(UnitConverter::floatToInt(x, scale), expected) << x;
    }
}

} // namespace
