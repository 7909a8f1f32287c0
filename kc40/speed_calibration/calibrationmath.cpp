#include "calibrationmath.h"

#include "setupmessages.h"

#include <cfloat>
#include <cmath>

namespace calibrationmath {
namespace {
bool usable(const ZonePair& zone) {
    return std::isfinite(zone.from) && std::isfinite(zone.to);
}

// to/from scaling through the origin with one point; false when the point is at zero.
bool proportional(const ZonePair& zone, float value, float& result) {
    if (!usable(zone) || zone.from == 0.0f) {
        return false;
    }
    result = zone.to * value / zone.from;
    return std::isfinite(result);
}

// Proportional with zone 0, else with the lowest walked point that allows it.
float belowAll(const ZonePairs& zones, float value) {
    float result = value;
    if (proportional(zones[0], value, result)) {
        return result;
    }
    for (const ZonePair& zone : zones) {
        if (zone.inWalk && proportional(zone, value, result)) {
            return result;
        }
    }
    return value;
}
} // namespace

bool onLine(float fromA, float toA, float fromB, float toB, float at, float& result) {
    const float span = fromA - fromB;
    if (span == 0.0f || !std::isfinite(span)) {
        return false;
    }
    const float candidate = toB + (toA - toB) / span * (at - fromB);
    if (!std::isfinite(candidate)) {
        return false;
    }
    result = candidate;
    return true;
}

float convert(const ZonePairs& zones, float value) {
    if (!std::isfinite(value)) {
        return value;
    }
    int lower = -1;
    int upper = -1;
    for (int z = 0; z < kZones; ++z) {
        if (!zones[z].inWalk || !usable(zones[z])) {
            continue;
        }
        if (zones[z].from >= value) {
            upper = z;
            break;
        }
        lower = z;
    }
    if (lower < 0) {
        return belowAll(zones, value);
    }
    const ZonePair& l = zones[lower];
    float result = value;
    if (upper >= 0) {
        const ZonePair& u = zones[upper];
        if (onLine(u.from, u.to, l.from, l.to, value, result)) {
            return result;
        }
        return proportional(l, value, result) ? result : value;
    }
    for (int p = lower - 1; p >= 0; --p) {
        if (zones[p].canBePartner && usable(zones[p])) {
            if (onLine(l.from, l.to, zones[p].from, zones[p].to, value, result)) {
                return result;
            }
            break;
        }
    }
    return proportional(l, value, result) ? result : value;
}

int zoneNumber(float speed, float vesselMaxSpeed) {
    const float step = vesselMaxSpeed / kZones;
    if (!(step > 0.0f) || !std::isfinite(step) || !std::isfinite(speed)) {
        return speed > 0.0f ? kZones : 1;
    }
    const float k = std::ceil(speed / step);
    if (k < 1.0f) {
        return 1;
    }
    return k > kZones ? kZones : static_cast<int>(k);
}

float zoneCentre(int zone, float vesselMaxSpeed) {
    const float step = vesselMaxSpeed / kZones;
    return step / 2.0f + static_cast<float>(zone) * step;
}

int toDisplayInt(float value, int scale) {
    if (!std::isfinite(value) || value == FLT_MAX) {
        return kUnknownDisplayInt;
    }
    return SetupMessages::toScaled(value, scale);
}

} // namespace calibrationmath
