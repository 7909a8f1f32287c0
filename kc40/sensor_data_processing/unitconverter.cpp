#include "unitconverter.h"

#include "nmeaparser.h"
#include "systemsetup.h"

#include <climits>
#include <cmath>

int UnitConverter::floatToInt(float x, int scale) {
    if (!std::isfinite(x) || x == kAbsentFloat || x == -kAbsentFloat) {
        return INT_MAX;
    }
    // Truncation after scaling is done in float, as the display reads it.
    const float scaled = std::trunc(x * static_cast<float>(scale));
    if (!std::isfinite(scaled) || scaled >= 2147483648.0f || scaled < -2147483648.0f) {
        return INT_MAX;
    }
    return static_cast<int>(scaled);
}

float UnitConverter::intToFloat(int n, int scale) {
    if (n == INT_MAX) {
        return kAbsentFloat;
    }
    return static_cast<float>(n) / static_cast<float>(scale);
}

namespace {

QString speedUnit(const QString& unit) {
    return unit == QLatin1String("GetItFromSet")
               ? SystemSetup::getInstance()->RvN003Setup.getUnitsSpeedString()
               : unit;
}

QString lengthUnit(const QString& unit) {
    return unit == QLatin1String("GetItFromSet")
               ? SystemSetup::getInstance()->RvN003Setup.getUnitsDepthString()
               : unit;
}

} // namespace

float UnitConverter::speedToDefault(float x, const QString& unit) {
    const QString u = speedUnit(unit);
    if (u == QLatin1String("mps")) {
        return mpsToKn(x);
    }
    if (u == QLatin1String("miph")) {
        return miphToKn(x);
    }
    if (u == QLatin1String("kmh")) {
        return kmhToKn(x);
    }
    return x;
}

float UnitConverter::speedFromDefault(float x, const QString& unit) {
    const QString u = speedUnit(unit);
    if (u == QLatin1String("mps")) {
        return knToMps(x);
    }
    if (u == QLatin1String("miph")) {
        return knToMiph(x);
    }
    if (u == QLatin1String("kmh")) {
        return knToKmh(x);
    }
    return x;
}

float UnitConverter::lengthToDefault(float x, const QString& unit) {
    const QString u = lengthUnit(unit);
    if (u == QLatin1String("ft")) {
        return ftToM(x);
    }
    if (u == QLatin1String("ftm")) {
        return ftmToM(x);
    }
    return x;
}

float UnitConverter::lengthFromDefault(float x, const QString& unit) {
    const QString u = lengthUnit(unit);
    if (u == QLatin1String("ft")) {
        return mToFt(x);
    }
    if (u == QLatin1String("ftm")) {
        return mToFtm(x);
    }
    return x;
}
