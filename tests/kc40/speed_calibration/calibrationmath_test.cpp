#include "calibrationmath.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>

using namespace calibrationmath;

namespace {
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

struct Zone {
    float from;
    float to;
    bool valid = true;
    bool partner = true;
};

struct ConvertCase {
    const char* name;
    std::array<Zone, 5> zones;
    float value;
    float expected;
};

ZonePairs pairs(const std::array<Zone, 5>& zones) {
    ZonePairs result;
    for (int z = 0; z < kZones; ++z) {
        result[z] = {zones[z].from, zones[z].to, zones[z].valid,
                     zones[z].valid && zones[z].partner};
    }
    return result;
}

// A table whose slope changes from zone to zone, so that the choice of neighbours shows.
constexpr std::array<Zone, 5> kBent{{{2, 3}, {4, 5}, {6, 9}, {8, 10}, {10, 12}}};
constexpr std::array<Zone, 5> bentWithout(int zone) {
    std::array<Zone, 5> zones = kBent;
    zones[zone].valid = false;
    return zones;
}

TEST(CalibrationConversion, FollowsTheTableInEveryRegion) {
    const ConvertCase cases[] = {
        {"between two points", kBent, 5.0f, 7.0f},
        {"exactly on a point", kBent, 6.0f, 9.0f},
        {"above: along the two highest", kBent, 12.0f, 14.0f},
        {"below: through the origin and zone 0", kBent, 1.0f, 1.5f},
        {"zero speed", kBent, 0.0f, 0.0f},
        {"astern speeds scale with zone 0", kBent, -4.0f, -6.0f},
        {"invalid point skipped between", bentWithout(2), 5.0f, 6.25f},
        {"invalid highest: along the two below", bentWithout(4), 10.0f, 11.0f},
        {"extrapolation partner skips an invalid zone", bentWithout(3), 12.0f, 13.5f},
        {"walk is in zone order, not sorted",
         {{{2, 3}, {8, 10}, {6, 9}, {4, 5}, {10, 12}}},
         7.0f,
         3.0f + 5.0f / 6.0f * 7.0f},
        {"below all valid points uses zone 0 even when invalid",
         {{{2, 4, false}, {4, 5}, {6, 9}, {8, 10}, {10, 12}}},
         1.0f,
         2.0f},
        {"one valid point below the value scales with it",
         {{{2, 3}, {0, 0, false}, {0, 0, false}, {0, 0, false}, {0, 0, false}}},
         4.0f,
         6.0f},
        {"above the two lowest: along them",
         {{{2, 3}, {4, 5}, {0, 0, false}, {0, 0, false}, {0, 0, false}}},
         6.0f,
         7.0f},
        {"no valid point at all scales with zone 0",
         {{{2, 3, false}, {4, 5, false}, {6, 9, false}, {8, 10, false}, {10, 12, false}}},
         4.0f,
         6.0f},
        {"partner chosen by its own flag",
         {{{2, 2}, {4, 5}, {6, 7, true, false}, {8, 9, true, false}, {10, 12, true, false}}},
         12.0f,
         12.0f + 2.0f / 6.0f * 7.0f},
    };
    for (const ConvertCase& c : cases) {
        EXPECT_NEAR(convert(pairs(c.zones), c.value), c.expected, 1e-4f) << c.name;
    }
}

TEST(CalibrationConversion, DegenerateTablesNeverGiveNonFiniteSpeeds) {
    const ConvertCase cases[] = {
        {"two equal highest measured speeds: scale with the highest",
         {{{2, 3}, {4, 5}, {6, 9}, {8, 10}, {8, 11}}},
         9.0f,
         11.0f * 9.0f / 8.0f},
        {"zero zone-0 measurement: scale with the lowest usable point",
         {{{0, 2.5f}, {4, 5}, {6, 9}, {8, 10}, {10, 12}}},
         -1.0f,
         -1.25f},
        {"invalid zone 0 at zero below every point",
         {{{0, 0, false}, {4, 5}, {6, 9}, {8, 10}, {10, 12}}},
         2.0f,
         2.5f},
        {"all points at zero: value unchanged",
         {{{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
         3.0f,
         3.0f},
        {"a non-finite point is skipped",
         {{{2, 3}, {kNaN, 5}, {6, kInf}, {8, 10}, {10, 12}}},
         5.0f,
         3.0f + 3.0f / 6.0f * 7.0f},
        {"a line wider than a float holds: scale with the point below",
         {{{-FLT_MAX, -5}, {FLT_MAX, 7}, {0, 0, false}, {0, 0, false}, {0, 0, false}}},
         1.0f,
         0.0f},
        {"huge speed does not overflow", kBent, FLT_MAX, FLT_MAX},
    };
    for (const ConvertCase& c : cases) {
        const float result = convert(pairs(c.zones), c.value);
        EXPECT_TRUE(std::isfinite(result)) << c.name;
        EXPECT_NEAR(result, c.expected, 1e-4f) << c.name;
    }
    EXPECT_TRUE(std::isnan(convert(pairs(kBent), kNaN))) << "a non-finite value is not converted";
    EXPECT_EQ(convert(pairs(kBent), kInf), kInf);
    for (float value = -40.0f; value <= 40.0f; value += 0.25f) {
        EXPECT_TRUE(std::isfinite(convert(pairs(cases[0].zones), value))) << value;
        EXPECT_TRUE(std::isfinite(convert(pairs(cases[1].zones), value))) << value;
    }
}

TEST(CalibrationZones, ZoneNumberOfASpeed) {
    const std::tuple<float, float, int> cases[] = {
        {5.0f, 25.0f, 1},  {5.1f, 25.0f, 2}, {30.0f, 25.0f, 5}, {25.0f, 25.0f, 5},
        {12.5f, 25.0f, 3}, {0.0f, 25.0f, 1}, {-3.0f, 25.0f, 1}, {4.4f, 22.0f, 1},
        {4.5f, 22.0f, 2},  {kNaN, 25.0f, 1}, {3.0f, 0.0f, 5},   {0.0f, 0.0f, 1}};
    for (const auto& [speed, max, zone] : cases) {
        EXPECT_EQ(zoneNumber(speed, max), zone) << speed << " of " << max;
    }
}

// A value the display cannot be told is the unknown integer; the rest is scaled as every
// display integer is.
TEST(CalibrationDisplayInt, NonFiniteAndTheLargestFloatAreUnknown) {
    const std::tuple<float, int, int> cases[] = {
        {12.5f, 100, 1250},         {-1.239f, 100, -123},    {10.999f, 100, 1099},
        {FLT_MAX, 100, 2147483647}, {kNaN, 100, 2147483647}, {kInf, 1000, 2147483647},
        {-kInf, 10, 2147483647},    {3e7f, 100, INT_MAX - 1}};
    for (const auto& [value, scale, expected] : cases) {
        EXPECT_EQ(toDisplayInt(value, scale), expected) << value << " x " << scale;
    }
}
} // namespace
