#pragma once

#include <QtGlobal>

#include <utility>

// The arithmetic steps of the sensor pipeline, free of state so each can be checked with
// numbers. Speeds in knots, angles in radians, times in ms, distances in nautical miles.
namespace PipelineMath {

inline constexpr float MAX_DIRECTION_CHANGE = 0.17453292f;
inline constexpr float LOW_SPEED_CORRECTION_LIMIT_SOG = 0.1f;
inline constexpr float LOW_SPEED_CORRECTION_LIMIT_STW = 0.2f;
inline constexpr float STW_DEPTH_LIMIT = 10.0f;
inline constexpr float kPi = 3.14159265f;

// Any angle brought into [-pi, pi].
float normaliseAngle(float angle);
// The course moves from old toward new by at most 10 degrees, the short way round.
float limitAngleChange(float oldAngle, float newAngle);
// A vector turned from the sensor's axes into the boat's by the installation angle.
std::pair<float, float> rotate(float lon, float tra, float angle);
// The sensor's depth reading scaled to the true depth below the transducer.
float fitDepth(float x);
// A speed held within +-limit; the absent marker stays absent.
float clampLowSpeed(float speed, float limit);
// Along-beam Doppler speed to the speed over the bottom or water.
float beamToAxisSpeed(float raw, float beamAngle);
// Milliseconds since a previous time stamp; 0 when there is none or time went backwards.
quint64 elapsedMs(quint64 now, quint64 previous);
float distanceNm(float speedKn, quint64 elapsedMs);
// Transverse speed at the stern: the bow's transverse speed less the turn's contribution over
// the distance from the sensor to the stern (rate of turn in degrees per minute, metres).
float sternSpeed(float traKn, float rotDegPerMin, float sensorToSternM);
// Knots from m/s, as the unit converter does it.
float mpsToKn(float mps);

enum Averaging { NormalAvr = 1, LowSpeedAvr = 2, GPS_StillAvr = 3 };
Averaging chooseAveraging(bool lowSpeedGpsCorrection, bool vesselStill, float speed);

// The preferred water-speed data set: 0 the primary DAT4, 1 the second frequency DAT5,
// -1 no choice.
struct AxisQuality {
    bool longValid;
    bool traValid;
    int longQuality;
    int traQuality;
};
int selectPreferedFrequency(const AxisQuality& dat4, const AxisQuality& dat5, bool primaryHigh);

} // namespace PipelineMath
