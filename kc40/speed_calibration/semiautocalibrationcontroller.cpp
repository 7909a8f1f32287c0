#include "semiautocalibrationcontroller.h"

#include "calibrationmath.h"
#include "logger.h"
#include "platform.h"
#include "speedcalibration.h"
#include "speedcalibrationdata.h"
#include "systemsetup.h"

#include <algorithm>
#include <cmath>

namespace {
enum Action { StartLeg = 4, StopLeg = 5, Cancel = 6, Transfer = 7, TransferAutomatic = 8 };
constexpr int kSecondLeg = 2;
// GPS has covered the leg once it is this close: a millimetre, below any rounding of the sum.
constexpr double kReachedNm = 1e-6;

using calibrationmath::toDisplayInt;

bool sogAndStwMode() {
    return SystemSetup::getInstance()->Vq2Setup.values().outputParams == VQ2_Setup::kSogStw;
}
double stwOffsetRad() {
    return SystemSetup::getInstance()->calibCoeffs.getSTW_offsetAngleRad();
}
double installationAngleRad() {
    return SystemSetup::getInstance()->calibCoeffs.getInstalationAngleRad();
}
// The offsets the unit turns each channel by into the boat's axes.
std::array<double, kLegChannels> usedOffsets() {
    return {stwOffsetRad(), stwOffsetRad(), installationAngleRad(), installationAngleRad()};
}
} // namespace

SemiAutoCalibrationController::SemiAutoCalibrationController(SpeedCalibrationData* data,
                                                             SpeedCalibration& display,
                                                             QObject* parent)
    : QObject(parent), m_data(data), m_display(display) {
    connect(&m_samplingTimer, &PlatformTimer::timeout, this,
            &SemiAutoCalibrationController::slotSemiAutoTimerTimeout);
}

void SemiAutoCalibrationController::slotSemiAutomaticCommand(NmeaMessagePtr msg) {
    const auto icm = std::dynamic_pointer_cast<MsgICM>(msg);
    if (!icm || icm->msgParameters().isEmpty()) {
        return;
    }
    const QList<int> p = icm->msgParameters();
    switch (p[0]) {
    case StartLeg: {
        const int distance = p.value(2, kMaxLegDistanceX100 + 1);
        if (p.size() < 3 || distance < kMinLegDistanceX100 || distance > kMaxLegDistanceX100) {
            Logger::instance()->append(
                QStringLiteral("Calibration leg not started, distance out of range: %1")
                    .arg(icm->getMsgBuffer().trimmed()),
                Logger::LOG_WARNING);
            reject(-1);
            return;
        }
        startLeg(static_cast<float>(distance) / 100.0f);
        break;
    }
    case StopLeg:
        stopLeg(false);
        break;
    case Cancel:
        // The display sends 2 to drop the second leg only, anything else drops both.
        cancelSemi(p.value(2, 0) == kSecondLeg ? kSecondLeg : 1);
        break;
    case Transfer:
        transferSemiAutoCalPoint();
        break;
    case TransferAutomatic:
    default:
        break;
    }
}

void SemiAutoCalibrationController::holdSogLow(bool hold) {
    SystemSetup::getInstance()->setFixSogToLowFrequency(hold);
}

void SemiAutoCalibrationController::startLeg(float distance) {
    holdSogLow(true);
    const qint64 now = Clock::currentMSecsSinceEpoch();
    const int leg = m_basic.startLeg(distance, now);
    if (leg == 1) {
        m_extended.resetCalibration();
    }
    m_extended.startLeg(distance, usedOffsets());
    emit sigLegProgress(static_cast<quint32>(leg), static_cast<quint32>(distance));
    takeSample(now);
    m_samplingTimer.start(semiSamplingTime);
}

void SemiAutoCalibrationController::takeSample(qint64 now) {
    const SemiAutoSample sample = m_samples ? m_samples() : SemiAutoSample{};
    m_basic.addMeasurement(sample, now);
    m_extended.takeMeasurement(ExtendeSemiAutoMeasurementPoint::fromSample(sample, now));
    m_lastSampleTime = now;
}

void SemiAutoCalibrationController::slotSemiAutoTimerTimeout() {
    if (!m_extended.isRunning()) {
        return;
    }
    takeSample(Clock::currentMSecsSinceEpoch());
    if (SystemSetup::getInstance()->calibCoeffs.values().stopOnGPS) {
        if (m_extended.getGPStotalDistance() >= m_extended.getLegDistance() - kReachedNm) {
            stopLegFromSemiCalibration();
            return;
        }
        // The last sample falls where GPS will have covered the distance.
        const qint64 left = m_extended.estimatedGPStimeLeftMS();
        if (left >= 0 && left < semiSamplingTime) {
            m_samplingTimer.start(std::max<qint64>(left, 1));
            return;
        }
    }
    m_samplingTimer.start(semiSamplingTime);
}

void SemiAutoCalibrationController::stopLegFromSemiCalibration() {
    if (!m_extended.isRunning()) {
        return;
    }
    stopLeg(true);
    emit sigSendSingleOnUdpOutput(
        std::make_shared<MsgICM>(1, msgCommands::CallibrationLegStopped, QList<int>{0}));
}

// Stopped by the unit, the leg ends on the sample that covered the distance; stopped by the
// operator, on one last sample now.
void SemiAutoCalibrationController::stopLeg(bool byUnit) {
    if (!m_extended.isRunning()) {
        return;
    }
    m_samplingTimer.stop();
    qint64 stopTime = m_lastSampleTime;
    if (!byUnit) {
        stopTime = Clock::currentMSecsSinceEpoch();
        takeSample(stopTime);
    }
    const bool completed = m_basic.stopLeg(stopTime);
    m_extended.stopLeg();
    emit sigLegProgress(0, 0);
    if (completed) {
        holdSogLow(false);
    }
}

void SemiAutoCalibrationController::cancelSemi(int leg) {
    const bool secondLegOnly = leg == kSecondLeg;
    if (secondLegOnly && !m_basic.leg(1).completed) {
        return; // no second leg yet; the first goes on
    }
    m_samplingTimer.stop();
    if (secondLegOnly) {
        m_basic.resetCalibrationLeg2();
        m_extended.resetLeg(kSecondLeg);
    } else {
        m_basic.resetCalibration();
        m_extended.resetCalibration();
    }
    emit sigLegProgress(0, 0);
    holdSogLow(false);
}

int SemiAutoCalibrationController::getCalibrationPointNr(float speed) const {
    const float step = m_data->vesselMaxSpeed() / SpeedCalibrationData::kZones;
    if (!std::isfinite(speed) || !(speed > 0.0f) || !(step > 0.0f)) {
        return -1;
    }
    // Far beyond the table is simply beyond it.
    const float steps = std::min(std::ceil(speed / step), float(SpeedCalibrationData::kZones + 1));
    return static_cast<int>(steps) - 1;
}

void SemiAutoCalibrationController::reject(int zone) {
    m_display.rejectPoint(zone);
}

void SemiAutoCalibrationController::transferSemiAutoCalPoint() {
    if (m_extended.isRunning()) {
        Logger::instance()->append(QStringLiteral("Calibration point not taken: a leg is running"),
                                   Logger::LOG_WARNING);
        reject(-1);
        return;
    }
    SpeedCalibrationPoint point =
        m_basic.getSemiAutoPoint(sogAndStwMode(), stwOffsetRad(), installationAngleRad());
    const std::optional<ExtendedSpeedCalibrationPoint> extended = m_extended.getResultantPoint();
    point.calibrationPointNumber =
        getCalibrationPointNr(extended ? extended->stwHighFrequencyPoint.realSpeed : 0.0f);
    if (!extended || !acceptPoint(point, *extended)) {
        m_basic.resetCalibration();
        reject(point.calibrationPointNumber);
        Logger::instance()->append(
            QStringLiteral("Reject point emitted!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!"),
            Logger::LOG_WARNING);
    }
    m_extended.resetCalibration();
    holdSogLow(false);
    m_display.sendAllCalibrationPoints();
}

bool SemiAutoCalibrationController::acceptPoint(SpeedCalibrationPoint point,
                                                ExtendedSpeedCalibrationPoint extended) {
    if (!m_data->validateCalibrationPoint(point)) {
        return false;
    }
    const int zone = point.calibrationPointNumber;
    // Where a leg did not measure well, the table as it stands fills in.
    const float maxSpeed = m_data->vesselMaxSpeed();
    if (point.measuredSOG > maxSpeed + 10.0f || point.measuredSOG < 0.0f ||
        m_basic.leg(1).sogValidPercent() < kSogTrustedPercent ||
        m_basic.leg(2).sogValidPercent() < kSogTrustedPercent) {
        point.measuredSOG = m_data->getMeasuredSog(point.realSpeed);
    }
    extended.calibrationPointNumber = zone;
    extended.calibrationPointSource = SpeedCalibrationData::SeaTestSource;
    for (const SpeedType type : {STW_speed, SOG_speed}) {
        for (const bool high : {true, false}) {
            SingleSpeedCalibrationPoint& single = extended.getSinglePoint(type, high);
            if (!single.valid()) {
                single.isValid = 1;
                single.measuredSpeed = m_data->getMeasuredSpeed(single.realSpeed, type, high);
                single.angleOffset = 0.0f;
            }
        }
    }
    if (!m_data->setCalibrationPoint(point, SpeedCalibrationData::SeaTestSource)) {
        return false;
    }
    m_data->setCurrentlyUsedPoint(zone, SpeedCalibrationData::SeaTestSource);
    SinglePointRecommendedAngles_s angles;
    angles.m_pointValid = true;
    angles.m_pointNumber = zone;
    angles.m_SOGecommendedAngle =
        static_cast<float>(m_basic.getAverageSOGoffset(installationAngleRad()));
    angles.m_SOGangleValid = true;
    angles.m_STWecommendedAngle = static_cast<float>(m_basic.getAverageSTWoffset(stwOffsetRad()));
    angles.m_STWangleValid = true;
    m_data->recommendedAngles().setPoint(angles);
    m_basic.resetCalibration();
    m_data->setExtendedCalibrationPoint(extended, SpeedCalibrationData::SeaTestSource);
    m_data->adjustDefaultPointValues();
    emit sigSendSingleOnUdpOutput(m_data->getCurrentlyUsedPoints());
    m_display.sendCalibrationPoint(zone, SpeedCalibrationData::SeaTestSource);
    return true;
}

NmeaMessagePtr SemiAutoCalibrationController::getDataForSemiautomaticCalibration() const {
    const bool sogAndStw = sogAndStwMode();
    const float sog = m_basic.getAverageMeasuredSog();
    const float ground = m_basic.getDistanceTrawelledGround();
    return std::make_shared<MsgICM>(
        1, msgCommands::DataForSemiAutoCalibrationCommand,
        QList<int>{toDisplayInt(sogAndStw ? m_basic.getAverageMeasuredStw() : sog, 100),
                   toDisplayInt(sog, 100), toDisplayInt(m_basic.getCalculatedRealSpeed(), 100),
                   toDisplayInt(m_basic.getGpsAverage(), 100),
                   toDisplayInt(m_basic.getGpsMin(), 100), toDisplayInt(m_basic.getGpsMax(), 100),
                   toDisplayInt(sogAndStw ? m_basic.getDistanceTrawelledWater() : ground, 1000),
                   toDisplayInt(ground, 1000), toDisplayInt(m_basic.getSingleLegGPS(), 1000)});
}

NmeaMessagePtr SemiAutoCalibrationController::getValidityForSemiautomaticCalibration() const {
    QList<int> percentages;
    for (const int leg : {1, 2}) {
        percentages.append(
            toDisplayInt(static_cast<float>(m_basic.leg(leg).sogValidPercent()), 100));
        percentages.append(
            toDisplayInt(static_cast<float>(m_basic.leg(leg).stwValidPercent()), 100));
    }
    return std::make_shared<MsgICM>(1, msgCommands::ValidityForSemiAutoCalibrationCommand,
                                    percentages);
}
