#include "pipelinemath.h"

#include <algorithm>
#include <cmath>

namespace PipelineMath {

namespace {

constexpr float kTwoPi = 2.0f * kPi;
constexpr double kMsPerHour = 3600000.0;
constexpr int kGoodQuality = 6;

} // namespace

float normaliseAngle(float angle) {
    if (!std::isfinite(angle)) {
        return angle;
    }
    float a = std::remainder(angle, kTwoPi);
    if (a > kPi) {
        a -= kTwoPi;
    } else if (a < -kPi) {
        a += kTwoPi;
    }
    return a;
}

float limitAngleChange(float oldAngle, float newAngle) {
    const float d = std::clamp(normaliseAngle(newAngle - oldAngle), -MAX_DIRECTION_CHANGE,
                               MAX_DIRECTION_CHANGE);
    return normaliseAngle(oldAngle + d);
}

std::pair<float, float> rotate(float lon, float tra, float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return {lon * c + tra * s, -lon * s + tra * c};
}

float fitDepth(float x) {
    return 1.03f * x + 0.4f;
}

float clampLowSpeed(float speed, float limit) {
    if (!std::isfinite(speed) || std::fabs(speed) >= 3.0e38f) {
        return speed;
    }
    return std::clamp(speed, -limit, limit);
}

float beamToAxisSpeed(float raw, float beamAngle) {
    return raw / 2.0f / std::sin(beamAngle);
}

quint64 elapsedMs(quint64 now, quint64 previous) {
    return (previous == 0 || now <= previous) ? 0 : now - previous;
}

float distanceNm(float speedKn, quint64 elapsed) {
    return static_cast<float>(static_cast<double>(speedKn) * static_cast<double>(elapsed) /
                              kMsPerHour);
}

float mpsToKn(float mps) {
    return mps * 3600.0f / 1852.0f;
}

float sternSpeed(float traKn, float rotDegPerMin, float sensorToSternM) {
    return traKn - mpsToKn(rotDegPerMin * sensorToSternM * kPi / 10800.0f);
}

Averaging chooseAveraging(bool lowSpeedGpsCorrection, bool vesselStill, float speed) {
    if (lowSpeedGpsCorrection && vesselStill) {
        return GPS_StillAvr;
    }
    return speed <= 6.5f ? LowSpeedAvr : NormalAvr;
}

int selectPreferedFrequency(const AxisQuality& dat4, const AxisQuality& dat5, bool primaryHigh) {
    const bool valid4 = dat4.longValid && dat4.traValid;
    const bool valid5 = dat5.longValid && dat5.traValid;
    if (valid4 && !valid5) {
        return 0;
    }
    if (valid5 && !valid4) {
        return 1;
    }
    if (!valid4) {
        return -1;
    }
    const int m4 = std::min(dat4.longQuality, dat4.traQuality);
    const int m5 = std::min(dat5.longQuality, dat5.traQuality);
    if (!primaryHigh) {
        return (m4 >= kGoodQuality || m5 <= m4) ? 0 : 1;
    }
    return (m5 >= kGoodQuality || m4 <= m5) ? 1 : 0;
}

} // namespace PipelineMath
