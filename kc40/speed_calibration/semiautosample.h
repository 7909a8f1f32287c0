#pragma once

#include <cmath>
#include <numbers>
#include <optional>

// A speed as the sensor gives it in the boat's axes, uncalibrated, knots.
struct BoatAxes {
    float along = 0.0f;
    float across = 0.0f;
};

// What one sample of a calibration leg sees: the sensor's uncalibrated speeds in the boat's
// axes (absent when not valid), its calibrated resultants and the GPS speed over ground.
struct SemiAutoSample {
    // The water speed of the data set in use and the ground speed the sensor itself measured.
    std::optional<BoatAxes> stw;
    std::optional<BoatAxes> sog;
    float stwCalibrated = 0.0f;
    float sogCalibrated = 0.0f;
    std::optional<float> gpsSog;
    // Water speed of each transmit frequency, and the frequency the ground speed runs on.
    std::optional<BoatAxes> stwHighFrequency;
    std::optional<BoatAxes> stwLowFrequency;
    bool sogHighFrequency = false;
};

namespace semiautomath {

constexpr double kMsPerHour = 3.6e6;

// The heading offset a leg recommends: the direction of the mean speed vector in the boat's
// axes plus the offset the unit already turned it by, radians. Set as the offset, it brings a
// ship running straight through the water to no drift (the unit turns the sensor's vector by
// minus the offset into the boat's axes).
inline double recommendedOffset(double along, double across, double appliedOffsetRad) {
    const double c = std::cos(-appliedOffsetRad);
    const double s = std::sin(-appliedOffsetRad);
    return std::atan2(-along * s + across * c, along * c + across * s);
}

inline double degrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

} // namespace semiautomath
