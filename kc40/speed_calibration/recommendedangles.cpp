#include "recommendedangles.h"

#include "calibrationmath.h"
#include "commandranges.h"
#include "serializationcontroller.h"

#include <QList>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kIcmVersion = 1;
constexpr int kAngleScale = 10000;

// Zone, flag, an angle of at most half a turn either way (x10000), flag, angle, flag.
constexpr ParameterRange kAngleX10000{-31416, 31416};
const CommandRanges kAngleRanges{
    .fields = {
        {0, RecommendedAngles::kZones - 1}, kFlag, kAngleX10000, kFlag, kAngleX10000, kFlag}};
} // namespace

NmeaMessagePtr SinglePointRecommendedAngles_s::toMessage() const {
    using calibrationmath::toDisplayInt;
    return std::make_shared<MsgICM>(
        kIcmVersion, msgCommands::RecommandedAngles,
        QList<int>{m_pointNumber, m_pointValid ? 1 : 0,
                   toDisplayInt(m_SOGecommendedAngle, kAngleScale), m_SOGangleValid ? 1 : 0,
                   toDisplayInt(m_STWecommendedAngle, kAngleScale), m_STWangleValid ? 1 : 0});
}

std::optional<SinglePointRecommendedAngles_s>
SinglePointRecommendedAngles_s::fromMessage(const MsgICM& msg) {
    const QList<int> p = msg.msgParameters();
    if (!kAngleRanges.fault(msg, p).isEmpty()) {
        return std::nullopt;
    }
    SinglePointRecommendedAngles_s point;
    point.m_pointNumber = p[0];
    point.m_pointValid = p[1] != 0;
    point.m_SOGecommendedAngle = static_cast<float>(p[2]) / kAngleScale;
    point.m_SOGangleValid = p[3] != 0;
    point.m_STWecommendedAngle = static_cast<float>(p[4]) / kAngleScale;
    point.m_STWangleValid = p[5] != 0;
    return point;
}

RecommendedAngles::RecommendedAngles() {
    for (int zone = 0; zone < kZones; ++zone) {
        m_points[zone].m_pointNumber = zone;
    }
}

const SinglePointRecommendedAngles_s& RecommendedAngles::getPointWithNumber(int zone) const {
    return m_points[std::clamp(zone, 0, kZones - 1)];
}

bool RecommendedAngles::setPoint(const SinglePointRecommendedAngles_s& point) {
    if (point.m_pointNumber < 0 || point.m_pointNumber >= kZones) {
        return false;
    }
    m_points[point.m_pointNumber] = point;
    m_isDefault = false;
    return WriteConfiguration();
}

bool RecommendedAngles::ReadConfiguration() {
    QList<SinglePointRecommendedAngles_s> read;
    if (!SerializationController::Deserialize(read, kFile,
                                              SerializationController::kConfigurationFolder) ||
        read.size() != kZones) {
        return false;
    }
    for (int zone = 0; zone < kZones; ++zone) {
        const SinglePointRecommendedAngles_s& p = read[zone];
        if (!std::isfinite(p.m_SOGecommendedAngle) || !std::isfinite(p.m_STWecommendedAngle)) {
            return false;
        }
    }
    for (int zone = 0; zone < kZones; ++zone) {
        m_points[zone] = read[zone];
        m_points[zone].m_pointNumber = zone;
    }
    m_isDefault = false;
    return true;
}

bool RecommendedAngles::WriteConfiguration() const {
    return SerializationController::Serialize(
        QList<SinglePointRecommendedAngles_s>(m_points.begin(), m_points.end()), kFile,
        SerializationController::kConfigurationFolder);
}

void RecommendedAngles::updateRecommendedAnglesFromSeaTestPoints(
    const std::array<SpeedCalibrationPoint, kZones>& seaTest, bool sogOnly) {
    for (int zone = 0; zone < kZones; ++zone) {
        const SpeedCalibrationPoint& point = seaTest[zone];
        if (!point.isSet) {
            continue;
        }
        SinglePointRecommendedAngles_s& angles = m_points[zone];
        angles.m_pointNumber = zone;
        angles.m_pointValid = true;
        const float angle = point.getMountingErrorRad();
        angles.m_SOGecommendedAngle = sogOnly ? angle : 0.0f;
        angles.m_SOGangleValid = sogOnly;
        angles.m_STWecommendedAngle = sogOnly ? 0.0f : angle;
        angles.m_STWangleValid = !sogOnly;
    }
    WriteConfiguration();
}
