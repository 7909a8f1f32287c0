#include "transducer.h"

#include <array>
#include <cmath>
#include <numbers>

namespace {
struct AnglePoint {
    double temperatureC;
    double degrees;
};

// Data sheet: beam angle over water temperature; outside the table the end segments extend.
constexpr std::array<AnglePoint, 7> kBeamAngle = {{
    {-8.0, 27.12},
    {0.0, 28.24},
    {9.0, 29.54},
    {16.0, 30.55},
    {23.0, 31.51},
    {30.0, 32.4},
    {40.0, 33.48},
}};

// The transducer reads depth short by this much, which the unit's depth fit corrects.
constexpr double kDepthScale = 1.03;
constexpr double kDepthOffsetM = 0.4;

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}
} // namespace

double Transducer::beamAngleDeg(double waterTemperatureC) {
    std::size_t i = 0;
    while (i + 2 < kBeamAngle.size() && waterTemperatureC >= kBeamAngle[i + 1].temperatureC) {
        ++i;
    }
    const AnglePoint& a = kBeamAngle[i];
    const AnglePoint& b = kBeamAngle[i + 1];
    return a.degrees + (waterTemperatureC - a.temperatureC) * (b.degrees - a.degrees) /
                           (b.temperatureC - a.temperatureC);
}

double Transducer::beamSpeed(double speedKn, double waterTemperatureC) {
    return speedKn * 2.0 * std::sin(radians(beamAngleDeg(waterTemperatureC)));
}

double Transducer::slantRange(double depthM, double waterTemperatureC) {
    return (depthM - kDepthOffsetM) / kDepthScale /
           std::cos(radians(beamAngleDeg(waterTemperatureC)));
}
