#pragma once

#include <QString>

// Conversions between the units the unit shows and the ones it computes in (knots, metres,
// radians), and the scaled integers exchanged with the display.
class UnitConverter {
public:
    static float mpsToKn(float x) { return x * 3600.0f / 1852.0f; }
    static float knToMps(float x) { return x / 3600.0f * 1852.0f; }
    static float mpsToKmh(float x) { return x * 3600.0f / 1000.0f; }
    static float kmhToMps(float x) { return x / 3600.0f * 1000.0f; }
    static float mpsToMiph(float x) { return x * 3600.0f / 1609.344f; }
    static float miphToMps(float x) { return x / 3600.0f * 1609.344f; }
    static float knToKmh(float x) { return mpsToKmh(knToMps(x)); }
    static float kmhToKn(float x) { return mpsToKn(kmhToMps(x)); }
    static float knToMiph(float x) { return mpsToMiph(knToMps(x)); }
    static float miphToKn(float x) { return mpsToKn(miphToMps(x)); }
    static float kmhToMiph(float x) { return mpsToMiph(kmhToMps(x)); }
    static float miphToKmh(float x) { return mpsToKmh(miphToMps(x)); }
    static float mToFt(float x) { return x / 0.3048f; }
    static float ftToM(float x) { return x * 0.3048f; }
    static float mToFtm(float x) { return x / 1.8288f; }
    static float ftmToM(float x) { return x * 1.8288f; }
    static float ftToFtm(float x) { return mToFtm(ftToM(x)); }
    static float ftmToFt(float x) { return mToFt(ftmToM(x)); }
    static float degToRad(float x) { return x * kPi / 180.0f; }
    static float radToDeg(float x) { return x * 180.0f / kPi; }

    // The scaled value truncated toward zero. The no-value marker, any non-finite value and
    // anything the scaled result cannot hold become the integer no-value marker: sensor values
    // must never turn into an undefined conversion.
    static int floatToInt(float x, int scale);
    static float intToFloat(int n, int scale);
    static int floatToInt3(float x) { return floatToInt(x, 1000); }
    static float intToFloat3(int n) { return intToFloat(n, 1000); }

    // Speeds: "GetItFromSet" uses the display's speed unit; "mps", "miph" and "kmh" convert
    // to and from knots; any other unit is knots already.
    static float speedToDefault(float x, const QString& unit);
    static float speedFromDefault(float x, const QString& unit);
    // Lengths: "GetItFromSet" uses the display's depth unit; "ft" and "ftm" convert to and
    // from metres; any other unit is metres already.
    static float lengthToDefault(float x, const QString& unit);
    static float lengthFromDefault(float x, const QString& unit);

    static constexpr float kPi = 3.1415927f;
};
