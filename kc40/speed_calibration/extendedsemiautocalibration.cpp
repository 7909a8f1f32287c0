#include "extendedsemiautocalibration.h"

#include "logger.h"

#include <cmath>

using semiautomath::kMsPerHour;

namespace {
// Trapezoid of two speeds over dt ms, nautical miles.
double trapezoid(double previous, double next, qint64 dt) {
    return static_cast<double>(dt) * (next + previous) / (2.0 * kMsPerHour);
}

constexpr double kValidAbovePercent = 90.0;
} // namespace

ExtendeSemiAutoMeasurementPoint
ExtendeSemiAutoMeasurementPoint::fromSample(const SemiAutoSample& sample, qint64 now) {
    ExtendeSemiAutoMeasurementPoint point;
    point.m_pointTimestamp = now;
    point.m_GPS_SOG = sample.gpsSog;
    point.channels[int(LegChannel::STWhigh)] = sample.stwHighFrequency;
    point.channels[int(LegChannel::STWlow)] = sample.stwLowFrequency;
    point.channels[int(sample.sogHighFrequency ? LegChannel::SOGhigh : LegChannel::SOGlow)] =
        sample.sog;
    return point;
}

SemiAutoCalIntegratedLegMeasurements::SemiAutoCalIntegratedLegMeasurements(
    float legDistance, const std::array<double, kLegChannels>& usedOffsets)
    : m_legDistance(legDistance), m_usedOffsets(usedOffsets) {}

void SemiAutoCalIntegratedLegMeasurements::add(const ExtendeSemiAutoMeasurementPoint& point) {
    m_measurementList.push_back(point);
    const std::size_t n = m_measurementList.size();
    if (n >= 2) {
        integrate(m_measurementList[n - 2], m_measurementList[n - 1]);
    }
}

void SemiAutoCalIntegratedLegMeasurements::integrate(const ExtendeSemiAutoMeasurementPoint& p,
                                                     const ExtendeSemiAutoMeasurementPoint& n) {
    const qint64 dt = n.m_pointTimestamp - p.m_pointTimestamp;
    if (dt <= 0) {
        return;
    }
    m_legInterval += dt;
    for (int c = 0; c < kLegChannels; ++c) {
        ChannelIntegral& channel = m_channels[c];
        const auto& before = p.channels[c];
        const auto& after = n.channels[c];
        if (before && after) {
            channel.longIntegral += trapezoid(before->along, after->along, dt);
            channel.traIntegral += trapezoid(before->across, after->across, dt);
            channel.validInterval += dt;
            channel.longAverage =
                channel.longIntegral * kMsPerHour / static_cast<double>(channel.validInterval);
            channel.traAverage =
                channel.traIntegral * kMsPerHour / static_cast<double>(channel.validInterval);
            channel.averageOffset = semiautomath::recommendedOffset(
                channel.longAverage, channel.traAverage, m_usedOffsets[c]);
        }
        channel.validPercentage =
            static_cast<double>(channel.validInterval) * 100.0 / static_cast<double>(m_legInterval);
    }
    if (p.m_GPS_SOG && n.m_GPS_SOG) {
        const double distance = trapezoid(*p.m_GPS_SOG, *n.m_GPS_SOG, dt);
        m_GPS_SOGintegral += distance;
        m_GPS_SOG_TotalIntegral += distance;
        m_GPS_SOGvalidInterval += dt;
        m_GPS_SOGaverage =
            m_GPS_SOGintegral * kMsPerHour / static_cast<double>(m_GPS_SOGvalidInterval);
    } else if (n.m_GPS_SOG) {
        bridgeGpsGap();
    }
}

// GPS is back after a gap: the ship went on meanwhile, so the distance over the gap counts
// towards the leg, though not towards the average speed.
void SemiAutoCalIntegratedLegMeasurements::bridgeGpsGap() {
    const std::size_t n = m_measurementList.size();
    const ExtendeSemiAutoMeasurementPoint& back = m_measurementList[n - 1];
    for (std::size_t i = n; i-- > 2;) {
        const ExtendeSemiAutoMeasurementPoint& earlier = m_measurementList[i - 2];
        if (earlier.m_GPS_SOG) {
            m_GPS_SOG_TotalIntegral += trapezoid(*earlier.m_GPS_SOG, *back.m_GPS_SOG,
                                                 back.m_pointTimestamp - earlier.m_pointTimestamp);
            return;
        }
    }
}

qint64 SemiAutoCalIntegratedLegMeasurements::estimatedGPStimeLeftMS() const {
    if (!(m_GPS_SOGaverage > 0.0)) {
        return -1;
    }
    const double left = (m_legDistance - m_GPS_SOG_TotalIntegral) * kMsPerHour / m_GPS_SOGaverage;
    return left > 0.0 ? static_cast<qint64>(std::ceil(left)) : 0;
}

void ExtendedSingleLegCalibration::start(float legDistance,
                                         const std::array<double, kLegChannels>& usedOffsets) {
    m_integratedMesurements.emplace(legDistance, usedOffsets);
    m_state = Running;
}

void ExtendedSingleLegCalibration::takeMeasurement(const ExtendeSemiAutoMeasurementPoint& point) {
    if (m_state != Running) {
        return;
    }
    m_integratedMesurements->add(point);
}

std::optional<ExtendedSpeedCalibrationPoint>
ExtendedSingleLegCalibration::getResultantPoint() const {
    if (m_state != Finished || !m_integratedMesurements) {
        return std::nullopt;
    }
    const SemiAutoCalIntegratedLegMeasurements& leg = *m_integratedMesurements;
    ExtendedSpeedCalibrationPoint point;
    point.isSet = true;
    const qint64 interval = leg.legInterval();
    const float realSpeed =
        interval > 0 ? static_cast<float>(leg.legDistance() * kMsPerHour / interval) : 0.0f;
    for (const LegChannel c :
         {LegChannel::STWhigh, LegChannel::STWlow, LegChannel::SOGhigh, LegChannel::SOGlow}) {
        const auto& channel = leg.channel(c);
        SingleSpeedCalibrationPoint& single = point.getSinglePoint(
            c == LegChannel::STWhigh || c == LegChannel::STWlow ? STW_speed : SOG_speed,
            c == LegChannel::STWhigh || c == LegChannel::SOGhigh);
        single.realSpeed = realSpeed;
        single.measuredSpeed =
            static_cast<float>(std::hypot(channel.longAverage, channel.traAverage));
        single.angleOffset = static_cast<float>(semiautomath::degrees(channel.averageOffset));
        single.isValid = interval > 0 && channel.validPercentage > kValidAbovePercent ? 1 : 0;
    }
    return point;
}

void ExtendedSemiAutoCalibratin::startLeg(float distance,
                                          const std::array<double, kLegChannels>& usedOffsets) {
    legDistance = distance;
    activeLeg = legOne.state() == ExtendedSingleLegCalibration::Finished ? 2 : 1;
    active().start(distance, usedOffsets);
}

void ExtendedSemiAutoCalibratin::stopLeg() {
    if (!isRunning()) {
        return;
    }
    active().finish();
    if (activeLeg == 1) {
        activeLeg = 2;
    }
}

void ExtendedSemiAutoCalibratin::takeMeasurement(const ExtendeSemiAutoMeasurementPoint& point) {
    if (!isRunning()) {
        Logger::instance()->append(
            QStringLiteral("Returned from take measurement!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!"),
            Logger::LOG_DEBUG);
        return;
    }
    active().takeMeasurement(point);
}

void ExtendedSemiAutoCalibratin::resetCalibration() {
    *this = ExtendedSemiAutoCalibratin{};
}

void ExtendedSemiAutoCalibratin::resetLeg(int leg) {
    if (leg == 2) {
        legTwo = ExtendedSingleLegCalibration{};
        activeLeg = legOne.state() == ExtendedSingleLegCalibration::Finished ? 2 : 1;
    } else {
        resetCalibration();
    }
}

std::optional<ExtendedSpeedCalibrationPoint> ExtendedSemiAutoCalibratin::getResultantPoint() const {
    const auto first = legOne.getResultantPoint();
    const auto second = legTwo.getResultantPoint();
    if (!first || !second) {
        return first;
    }
    ExtendedSpeedCalibrationPoint mean = *first;
    for (const SpeedType type : {STW_speed, SOG_speed}) {
        for (const bool high : {true, false}) {
            mean.getSinglePoint(type, high) = SingleSpeedCalibrationPoint::getAverageOfTwoPoints(
                first->getSinglePoint(type, high), second->getSinglePoint(type, high));
        }
    }
    return mean;
}

double ExtendedSemiAutoCalibratin::getGPStotalDistance() const {
    const auto* leg = active().measurements();
    return leg ? leg->gpsTotalIntegral() : 0.0;
}

qint64 ExtendedSemiAutoCalibratin::estimatedGPStimeLeftMS() const {
    const auto* leg = active().measurements();
    return leg ? leg->estimatedGPStimeLeftMS() : -1;
}
