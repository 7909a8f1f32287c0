#pragma once

#include <array>

// The arithmetic of the calibration table, free of files and state so that it can be checked
// with numbers. A zone's point is seen as a pair of speeds: the axis the conversion walks on
// ("from") and the axis it answers in ("to"); converting measured to true speed walks on the
// measured speeds, the inverse on the true ones.
namespace calibrationmath {

constexpr int kZones = 5;

struct ZonePair {
    float from = 0.0f;
    float to = 0.0f;
    bool inWalk = false;       // takes part in finding the neighbours of the value
    bool canBePartner = false; // may serve as the lower point of the extrapolation line
};
using ZonePairs = std::array<ZonePair, kZones>;

// Piecewise-linear between the points in zone order, along the two highest points above
// them, through the origin and zone 0 below them (astern speeds as well). Whenever a line
// cannot be drawn (equal speeds, zero or unusable points) the nearest usable point scales
// through the origin instead; with none, the value is returned as it came. A non-finite
// value is never converted, and the answer is always finite for a finite value.
float convert(const ZonePairs& zones, float value);

// Zone 1..5 of a speed for the given vessel maximum speed.
int zoneNumber(float speed, float vesselMaxSpeed);
// True speed at the centre of zone 0..4.
float zoneCentre(int zone, float vesselMaxSpeed);

// A point on the line through (fromA, toA) and (fromB, toB); false when the line is vertical.
bool onLine(float fromA, float toA, float fromB, float toB, float at, float& result);

// A value as a display integer, scaled as every setting for the display is (a float's
// representation error loses no unit, no overflow); an absent or non-finite value gives the
// "unknown" integer, which no known value takes.
int toDisplayInt(float value, int scale);
constexpr int kUnknownDisplayInt = 2147483647;

} // namespace calibrationmath
