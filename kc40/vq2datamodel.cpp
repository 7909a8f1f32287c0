#include "vq2datamodel.h"

#include "msgdat.h"
#include "pipelinemath.h"
#include "platform.h"
#include "sensordatavalidator.h"
#include "systemsetup.h"
#include "systemvariables.h"
#include "unitconverter.h"

#include <cmath>
#include <numbers>

using namespace PipelineMath;

namespace {

constexpr quint8 kDatPerSecond = 2;
constexpr quint8 kSimulatedQuality = 8;
constexpr float kSogAboveMaximum = 5.0f;
const float kCos30 = static_cast<float>(std::cos(std::numbers::pi / 6.0));

// A number the sensor really sent: not the absent marker, not infinite or NaN.
bool present(float x) {
    return std::isfinite(x) && std::fabs(x) < kAbsentFloat;
}

float presentOrAbsent(float x) {
    return present(x) ? x : kAbsentFloat;
}

void setOrInvalidate(varFloat& target, bool valid, float value, quint64 stamp) {
    if (valid && present(value)) {
        target.setValue(value, stamp);
    } else {
        target.setValidity(false);
    }
}

const VQ2_Setup_S& vq2Setup() {
    return SystemSetup::getInstance()->Vq2Setup.values();
}

} // namespace

VQ2DataModel::VQ2DataModel(QObject* parent) : QObject(parent) {
    m_variables = {&depthFwdAvg,
                   &depthSideAvg,
                   &stwLongSensor,
                   &stwTraSensor,
                   &sogLongSensor,
                   &sogTraSensor,
                   &depthFwd,
                   &depthSide,
                   &stwLongBoatNoCallib,
                   &stwTraBoatNoCallib,
                   &sogLongBoatNoCallib,
                   &sogTraBoatNoCallib,
                   &stwResBoatNoCallib,
                   &sogResBoatNoCallib,
                   &ctwResSensor,
                   &cogResSensor,
                   &ctwResBoat,
                   &cogResBoat,
                   &stwResBoatCallibrated,
                   &sogResBoatCallibrated,
                   &stwLongBoatCallibrated,
                   &stwTraBoatCallibrated,
                   &sogLongBoatCallibrated,
                   &sogTraBoatCallibrated,
                   &stwTraAftCallibrated,
                   &sogTraAftCallibrated,
                   &wcLong,
                   &wcTra,
                   &wcRes,
                   &wcCourse,
                   &deltaWaterDistanceTraveled,
                   &deltaGroundDistanceTraveled};
    for (varFloat* variable : m_variables) {
        connect(this, &VQ2DataModel::sigIncreaseTimeCounter, variable,
                &varFloat::slotIncreaseTimeCounter);
    }
    for (SensorSpeed* water : {&stwLongAvg, &stwTraAvg}) {
        water->init(true, kDatPerSecond);
    }
    for (SensorSpeed* ground : {&sogLongAvg, &sogTraAvg}) {
        ground->init(false, kDatPerSecond);
    }
    speedCalib = &m_passThrough;
    depthFwdAvg.setUseAverage(true);
    depthSideAvg.setUseAverage(true);
    wcCourse.setValue(0.0f, 0);
    wcRes.setValue(0.0f, 0);
}

void VQ2DataModel::setDepthAveragingPeriod(int seconds) {
    depthFwdAvg.setDefaultAveragingPeriodS(static_cast<quint64>(seconds));
    depthSideAvg.setDefaultAveragingPeriodS(static_cast<quint64>(seconds));
    prevDepthAveragingPeriod = seconds;
    checkButtom.setValidTimeoutCount(20);
}

void VQ2DataModel::setOutputFrom(UseOutputFrom from) {
    for (varFloat* variable : m_variables) {
        if (variable != &depthFwdAvg && variable != &depthSideAvg) {
            variable->setOutputFrom(from);
        }
    }
}

void VQ2DataModel::invalidateData() {
    for (SensorSpeed* speed : {&stwLongAvg, &stwTraAvg, &sogLongAvg, &sogTraAvg}) {
        speed->invalidateData();
    }
    sensorTilt.invalidateData();
    sensorTemperature.invalidateData();
    for (varFloat* variable : m_variables) {
        variable->setValidity(false);
    }
    // Distance resumes from the first DAT after the loss, not across the silent time.
    deltaWaterDistanceTraveled.setValue(kAbsentFloat, 0);
    deltaGroundDistanceTraveled.setValue(kAbsentFloat, 0);
}

void VQ2DataModel::handleDat_4_msg(const MsgDAT& dat, quint64 stamp) {
    SystemSetup* setup = SystemSetup::getInstance();
    const QString& output = setup->Vq2Setup.values().outputParams;
    if (output == VQ2_Setup::kSatLog) {
        return;
    }
    sensorSimulationOn = setup->simulationParameters.SimulationModeOn;
    getDataFromDat_4(dat, stamp, output);
    updateCalculations();
}

void VQ2DataModel::getDataFromDat_4(const MsgDAT& dat, quint64 stamp, const QString& outputParams) {
    const bool sogOnly = outputParams == VQ2_Setup::kSogOnly;
    stwLongRaw = sogOnly ? kAbsentFloat : presentOrAbsent(dat.fwdSpeedWater());
    stwTraRaw = sogOnly ? kAbsentFloat : presentOrAbsent(dat.aftSpeedWater());
    sogLongRaw = presentOrAbsent(dat.fwdSpeedGround());
    sogTraRaw = presentOrAbsent(dat.aftSpeedGround());
    if (reverseDirection) {
        for (float* speed : {&stwLongRaw, &stwTraRaw, &sogLongRaw, &sogTraRaw}) {
            if (*speed != kAbsentFloat) {
                *speed = -*speed;
            }
        }
    }
    const auto quality = [](int q) { return static_cast<quint8>(q >= 0 && q <= 255 ? q : 0); };
    stwLongQuality = quality(dat.fwdSigQualityWater());
    stwTraQuality = quality(dat.aftSigQualityWater());
    sogLongQuality = quality(dat.fwdSigQualityGround());
    sogTraQuality = quality(dat.aftSigQualityGround());
    depthFwdRaw = presentOrAbsent(dat.depthFwd());
    depthSideRaw = presentOrAbsent(dat.depthAft());
    const auto tilt = [](int t) { return t == kAbsentInt ? 0.0f : static_cast<float>(t); };
    accX_Raw = tilt(dat.tiltX());
    accY_Raw = tilt(dat.tiltY());
    accZ_Raw = tilt(dat.tiltZ());
    temperatureRaw = presentOrAbsent(dat.fTemperature());
    timestamp = stamp;
}

// One DAT, step by step: beam geometry first, then depths and speeds in sensor axes, then
// boat axes, courses, calibration and distances.
void VQ2DataModel::updateCalculations() {
    if (temperatureRaw != kAbsentFloat) {
        sensorTemperature.setValue(temperatureRaw, timestamp);
    }
    sensorTilt.calculateTilt(accX_Raw, accY_Raw, accZ_Raw, timestamp);
    beamAngleCorrection.calculateBeamCorrection(sensorTilt, sensorTemperature);
    applyLowSpeedLimits();
    applyAngleToDepth_andAverage();
    applyAngleToSpeed_andAverage();
    calculateSensorSpeedAndDepth();
    transformToBoatCoordinates();
    calculateResultantNotCalibratedValues();
    calculateCourses();
    applyStwCallibration();
    applySogCallibration();
    getCallibratedSpeedProjections();
    calculateDeltaDistance();
}

void VQ2DataModel::applyLowSpeedLimits() {
    const bool lowSpeedCorrection =
        SystemSetup::getInstance()->Kc40Setup.values().lowSpeedGPS_Correction;
    if (!lowSpeedCorrection || sensorSimulationOn || !m_vesselStill) {
        return;
    }
    sogLongRaw = clampLowSpeed(sogLongRaw, LOW_SPEED_CORRECTION_LIMIT_SOG);
    sogTraRaw = clampLowSpeed(sogTraRaw, LOW_SPEED_CORRECTION_LIMIT_SOG);
    const bool shallow = depthFwdAvg.getValidity() && depthSideAvg.getValidity() &&
                         depthFwdAvg.getValue() < STW_DEPTH_LIMIT &&
                         depthSideAvg.getValue() < STW_DEPTH_LIMIT;
    if (checkButtom.isBottomLost() || shallow) {
        stwLongRaw = clampLowSpeed(stwLongRaw, LOW_SPEED_CORRECTION_LIMIT_STW);
        stwTraRaw = clampLowSpeed(stwTraRaw, LOW_SPEED_CORRECTION_LIMIT_STW);
    }
}

void VQ2DataModel::averageDepth(varFloat& average, float depth) {
    if (!present(depth) || !checkButtom.lastSampleValid()) {
        return;
    }
    const float current = average.getValidity() ? average.getValue() : depth;
    if (sensor_data_validator::checkIfDepthTooFarFromAverage(depth, current)) {
        average.setValue(depth, timestamp);
    }
}

void VQ2DataModel::applyAngleToDepth_andAverage() {
    if (sensorSimulationOn) {
        const float fwd = depthFwdRaw * kCos30;
        const float side = depthSideRaw * kCos30;
        setOrInvalidate(depthFwdAvg, true, fwd, timestamp);
        setOrInvalidate(depthSideAvg, true, side, timestamp);
        checkButtom.addSample(fwd, side);
        return;
    }
    const float fwd = fitDepth(depthFwdRaw * std::cos(beamAngleCorrection.beamAngleResultant_Long));
    checkButtom.addSample(depthFwdRaw, depthSideRaw);
    const float side =
        fitDepth(depthSideRaw * std::cos(beamAngleCorrection.beamAngleResultant_Tra));
    averageDepth(depthFwdAvg, fwd);
    averageDepth(depthSideAvg, side);
}

void VQ2DataModel::applyAngleToSpeed_andAverage() {
    const std::pair<SensorSpeed*, float> water[] = {{&stwLongAvg, stwLongRaw},
                                                    {&stwTraAvg, stwTraRaw}};
    const std::pair<SensorSpeed*, float> ground[] = {{&sogLongAvg, sogLongRaw},
                                                     {&sogTraAvg, sogTraRaw}};
    if (sensorSimulationOn) {
        for (const auto& [average, raw] : {water[0], water[1], ground[0], ground[1]}) {
            average->setValue(raw, kSimulatedQuality);
        }
        return;
    }
    const float longAngle = beamAngleCorrection.beamAngleResultant_Long;
    const float traAngle = beamAngleCorrection.beamAngleResultant_Tra;
    // An absent speed stays out of every block: it enters as an invalid sample.
    const auto axis = [](float raw, float angle) {
        return raw == kAbsentFloat ? kAbsentFloat : beamToAxisSpeed(raw, angle);
    };
    stwLongAvg.setValue(axis(stwLongRaw, longAngle), stwLongQuality);
    stwTraAvg.setValue(axis(stwTraRaw, traAngle), stwTraQuality);
    sogLongAvg.setValue(axis(sogLongRaw, longAngle), sogLongQuality);
    sogTraAvg.setValue(axis(sogTraRaw, traAngle), sogTraQuality);
}

void VQ2DataModel::takeGroundAxis(varFloat& axis, const SensorSpeed& average, float& acceleration) {
    acceleration = 0.0f;
    if (!average.getValidity() || checkButtom.isBottomLost()) {
        axis.setValidity(false);
        return;
    }
    if (axis.getValidity()) {
        const quint64 dt = elapsedMs(timestamp, axis.getTimeStamp());
        if (dt > 0) {
            acceleration = UnitConverter::knToMps(average.getValue() - axis.getValue()) /
                           (static_cast<float>(dt) / 1000.0f);
        }
    }
    axis.setValue(average.getValue(), timestamp);
}

void VQ2DataModel::calculateSensorSpeedAndDepth() {
    if (sensorSimulationOn) {
        stwLongSensor.setValue(stwLongAvg.getSingleValue(), timestamp);
        stwTraSensor.setValue(stwTraAvg.getSingleValue(), timestamp);
        sogLongSensor.setValue(sogLongAvg.getSingleValue(), timestamp);
        sogTraSensor.setValue(sogTraAvg.getSingleValue(), timestamp);
    } else {
        setOrInvalidate(stwLongSensor, stwLongAvg.getValidity(), stwLongAvg.getValue(), timestamp);
        setOrInvalidate(stwTraSensor, stwTraAvg.getValidity(), stwTraAvg.getValue(), timestamp);
        takeGroundAxis(sogLongSensor, sogLongAvg, sensorAccX);
        takeGroundAxis(sogTraSensor, sogTraAvg, sensorAccY);
    }
    const float draft = vq2Setup().draft;
    const bool bottomValid = checkButtom.isBottomValid();
    for (auto [depth, average] :
         {std::pair{&depthFwd, &depthFwdAvg}, {&depthSide, &depthSideAvg}}) {
        const bool valid = bottomValid && average->getValidity();
        const float value = valid ? average->getValue() + draft : kAbsentFloat;
        setOrInvalidate(*depth, valid && value >= 0.0f, value, timestamp);
    }
}

void VQ2DataModel::transformToBoatCoordinates() {
    const calibration& calib = SystemSetup::getInstance()->calibCoeffs;
    const auto turn = [this](varFloat& lon, varFloat& tra, varFloat& outLon, varFloat& outTra,
                             float angle) {
        if (!lon.getValidity() || !tra.getValidity()) {
            outLon.setValidity(false);
            outTra.setValidity(false);
            return;
        }
        const auto [l, t] = rotate(lon.getValue(), tra.getValue(), angle);
        outLon.setValue(l, timestamp);
        outTra.setValue(t, timestamp);
    };
    turn(stwLongSensor, stwTraSensor, stwLongBoatNoCallib, stwTraBoatNoCallib,
         static_cast<float>(calib.getSTW_offsetAngleRad()));
    turn(sogLongSensor, sogTraSensor, sogLongBoatNoCallib, sogTraBoatNoCallib,
         static_cast<float>(calib.getInstalationAngleRad()));
}

void VQ2DataModel::calculateResultantNotCalibratedValues() {
    const auto resultant = [this](varFloat& lon, varFloat& tra, varFloat& res) {
        const bool valid = lon.getValidity() && tra.getValidity();
        setOrInvalidate(res, valid, valid ? std::hypot(lon.getValue(), tra.getValue()) : 0.0f,
                        timestamp);
    };
    resultant(stwLongBoatNoCallib, stwTraBoatNoCallib, stwResBoatNoCallib);
    resultant(sogLongBoatNoCallib, sogTraBoatNoCallib, sogResBoatNoCallib);
}

void VQ2DataModel::calculateCourses() {
    const auto course = [this](varFloat& lon, varFloat& tra, varFloat& sensor, varFloat& boat) {
        if (!lon.getValidity() || !tra.getValidity()) {
            sensor.setValidity(false);
            boat.setValidity(false);
            return;
        }
        float angle = std::atan2(tra.getValue(), lon.getValue());
        if (sensor.getValidity()) {
            angle = limitAngleChange(sensor.getValue(), angle);
        }
        sensor.setValue(angle, timestamp);
        boat.setValue(angle, timestamp);
    };
    course(stwLongBoatNoCallib, stwTraBoatNoCallib, ctwResSensor, ctwResBoat);
    course(sogLongBoatNoCallib, sogTraBoatNoCallib, cogResSensor, cogResBoat);
}

float VQ2DataModel::calibrated(float speed, SpeedType type) {
    const SimulationParameters& sim = SystemSetup::getInstance()->simulationParameters;
    if (sensorSimulationOn && sim.simulationSource == 0) {
        return speed;
    }
    return speedCalib->getCalibratedSpeed(speed, type, dataFromDAT5);
}

void VQ2DataModel::applyStwCallibration() {
    if (!stwResBoatNoCallib.getValidity()) {
        stwResBoatCallibrated.setValidity(false);
        return;
    }
    const float value = calibrated(stwResBoatNoCallib.getValue(), STW_speed);
    setOrInvalidate(stwResBoatCallibrated, true, value, timestamp);
    if (vq2Setup().outputParams == VQ2_Setup::kSogStw) {
        checkSpeedAveraging(value);
    }
}

void VQ2DataModel::applySogCallibration() {
    if (!sogResBoatNoCallib.getValidity()) {
        sogResBoatCallibrated.setValidity(false);
        return;
    }
    const float value = calibrated(sogResBoatNoCallib.getValue(), SOG_speed);
    setOrInvalidate(sogResBoatCallibrated, value < vq2Setup().vesselMaxSpeed + kSogAboveMaximum,
                    value, timestamp);
    if (vq2Setup().outputParams == VQ2_Setup::kSogOnly) {
        checkSpeedAveraging(value);
    }
}

void VQ2DataModel::getCallibratedSpeedProjections() {
    const auto project = [this](varFloat& res, varFloat& course, varFloat& lon, varFloat& tra) {
        const bool valid = res.getValidity() && course.getValidity();
        const float r = valid ? res.getValue() : 0.0f;
        const float a = valid ? course.getValue() : 0.0f;
        setOrInvalidate(lon, valid, r * std::cos(a), timestamp);
        setOrInvalidate(tra, valid, r * std::sin(a), timestamp);
    };
    project(stwResBoatCallibrated, ctwResSensor, stwLongBoatCallibrated, stwTraBoatCallibrated);
    project(sogResBoatCallibrated, cogResSensor, sogLongBoatCallibrated, sogTraBoatCallibrated);
}

void VQ2DataModel::calculateDeltaDistance() {
    // A delta covers the time since the previous delta; with no previous one (start-up) it is
    // nothing, so stored trip and total continue unchanged.
    const auto delta = [this](varFloat& target, varFloat& speed) {
        const quint64 previous = target.getTimeStamp();
        if (!speed.getValidity()) {
            target.setValue(0.0f, previous);
            return;
        }
        target.setValue(distanceNm(speed.getValue(), elapsedMs(timestamp, previous)), timestamp);
    };
    delta(deltaWaterDistanceTraveled, stwResBoatCallibrated);
    if (sogResBoatCallibrated.getValidity()) {
        delta(deltaGroundDistanceTraveled, sogResBoatCallibrated);
        return;
    }
    triptotal_SOG_setup& sogDistances = SystemSetup::getInstance()->triptotal_sog_setup;
    sogDistances.set(&triptotal_SOG_setup_s::tripValid, 0.0f);
    sogDistances.set(&triptotal_SOG_setup_s::totalValid, 0.0f);
    delta(deltaGroundDistanceTraveled, stwResBoatCallibrated);
}

void VQ2DataModel::checkSpeedAveraging(float speed) {
    SystemSetup* setup = SystemSetup::getInstance();
    const auto wanted = static_cast<SystemSetup::AveragingType>(
        chooseAveraging(setup->Kc40Setup.values().lowSpeedGPS_Correction, m_vesselStill, speed));
    if (setup->getAveragingUsed() != wanted) {
        setup->setAveragingUsed(wanted);
    }
}

void VQ2DataModel::calculateStwAft(float rateOfTurn) {
    const bool valid = stwResBoatCallibrated.getValidity() && ctwResSensor.getValidity() &&
                       stwTraBoatCallibrated.getValidity() && present(rateOfTurn);
    const float toStern = vq2Setup().vesselLength - vq2Setup().sensorDistanceFromBow;
    setOrInvalidate(stwTraAftCallibrated, valid,
                    valid ? sternSpeed(stwTraBoatCallibrated.getValue(), rateOfTurn, toStern)
                          : 0.0f,
                    timestamp);
}

void VQ2DataModel::calculateSogAft(float rateOfTurn) {
    const bool valid = sogResBoatCallibrated.getValidity() && cogResSensor.getValidity() &&
                       sogTraBoatCallibrated.getValidity() && present(rateOfTurn);
    const float toStern = vq2Setup().vesselLength - vq2Setup().sensorDistanceFromBow;
    setOrInvalidate(sogTraAftCallibrated, valid,
                    valid ? sternSpeed(sogTraBoatCallibrated.getValue(), rateOfTurn, toStern)
                          : 0.0f,
                    timestamp);
}

void VQ2DataModel::replaceSogWithGps(quint64 stamp) {
    SystemVariables* sv = SystemVariables::getInstance();
    const quint64 ts = stamp == 0 ? timestamp : stamp;
    const float lon = sv->getSOG_L_GPS();
    const float tra = sv->getSOG_T_GPS();
    setOrInvalidate(sogLongBoatCallibrated, true, lon, ts);
    setOrInvalidate(sogTraBoatCallibrated, true, tra, ts);
    setOrInvalidate(sogResBoatCallibrated, true, sv->getSOG_R_GPS(), ts);
    const bool trackValid = sv->trackDegreesTrue_GPS.getValidity();
    setOrInvalidate(
        cogResBoat, trackValid,
        trackValid ? normaliseAngle(UnitConverter::degToRad(sv->trackDegreesTrue_GPS.getValue()))
                   : 0.0f,
        ts);
    const bool rotValid = sv->rateOfTurn.getValidity() && present(tra);
    const float toStern = vq2Setup().vesselLength - vq2Setup().sensorDistanceFromBow;
    setOrInvalidate(sogTraAftCallibrated, rotValid,
                    rotValid ? sternSpeed(tra, sv->rateOfTurn.getValue(), toStern) : 0.0f, ts);
}

void VQ2DataModel::calculateWaterCurrent(float sogLong, float sogTra, bool valid) {
    if (!valid) {
        for (varFloat* v : {&wcRes, &wcCourse, &wcLong, &wcTra}) {
            v->setValidity(false);
        }
        return;
    }
    const bool longValid = stwLongBoatCallibrated.getValidity() && present(sogLong);
    const bool traValid = stwTraBoatCallibrated.getValidity() && present(sogTra);
    setOrInvalidate(wcLong, longValid,
                    longValid ? sogLong - stwLongBoatCallibrated.getValue() : 0.0f, timestamp);
    setOrInvalidate(wcTra, traValid, traValid ? sogTra - stwTraBoatCallibrated.getValue() : 0.0f,
                    timestamp);
    if (!longValid || !traValid) {
        return;
    }
    const float res = std::hypot(wcLong.getValue(), wcTra.getValue());
    wcRes.setValue(res, timestamp);
    const bool courseValid = wcCourse.getValidity();
    const float oldCourse = courseValid ? wcCourse.getValue() : 0.0f;
    if (res <= 0.1f) {
        wcCourse.setValue(oldCourse, timestamp);
        return;
    }
    const float course = std::atan2(wcTra.getValue(), wcLong.getValue());
    wcCourse.setValue(courseValid ? limitAngleChange(oldCourse, course) : course, timestamp);
}

void VQ2DataModel::handleGPS_Input() {
    if (vq2Setup().outputParams != VQ2_Setup::kSatLog) {
        return;
    }
    for (varFloat* water : {&stwLongBoatCallibrated, &stwTraBoatCallibrated, &stwTraAftCallibrated,
                            &wcLong, &wcTra, &wcRes, &wcCourse}) {
        water->setValidity(false);
    }
    timestamp = static_cast<quint64>(Clock::currentMSecsSinceEpoch());
    replaceSogWithGps(timestamp);
}

void VQ2DataModel::slotOutputParametersChanged() {
    setAveraging(vq2Setup().outputParams != VQ2_Setup::kSatLog);
}

void VQ2DataModel::setAveraging(bool on) {
    depthFwdAvg.setUseAverage(on);
    depthSideAvg.setUseAverage(on);
    sensorTilt.setUseAverage(on);
    m_averagingOn = on;
}
