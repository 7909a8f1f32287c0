#include "semiautocalibration.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

using semiautomath::kMsPerHour;

namespace {
double hoursBetween(qint64 from, qint64 to) {
    return to > from ? static_cast<double>(to - from) / kMsPerHour : 0.0;
}

// The mean of the valid speed samples sailed for the whole leg; nothing without a valid one.
float distanceOverLeg(double speedSum, quint64 validSamples, qint64 legMs) {
    if (validSamples == 0) {
        return 0.0f;
    }
    return static_cast<float>(speedSum / static_cast<double>(validSamples) *
                              static_cast<double>(legMs) / kMsPerHour);
}

double percent(quint64 count, quint64 of) {
    return of == 0 ? 0.0 : static_cast<double>(count) * 100.0 / static_cast<double>(of);
}
} // namespace

void SingleLeg::start(qint64 now) {
    static_cast<SingleLeg_S&>(*this) = SingleLeg_S{};
    started = true;
    startTime = now;
    lastSogChangeTime = now;
    lastStwChangeTime = now;
    gpsDistance = 0.0;
    gpsAvailableTime = 0.0;
}

void SingleLeg::stop(qint64 now) {
    completed = true;
    stopTime = now;
}

void SingleLeg::add(const SemiAutoSample& sample, qint64 now) {
    ++messageCounter;
    sogValid = sample.sog.has_value();
    stwValid = sample.stw.has_value();
    if (sample.sog) {
        const double dt = hoursBetween(lastSogChangeTime, now);
        sogSum += std::isfinite(sample.sogCalibrated) ? sample.sogCalibrated : 0.0f;
        ++sogValidCounter;
        longMeasuredSogSum += sample.sog->along * dt;
        transMeasuredSogSum += sample.sog->across * dt;
        lastSogChangeTime = std::max(lastSogChangeTime, now);
    }
    if (sample.stw) {
        const double dt = hoursBetween(lastStwChangeTime, now);
        stwSum += std::isfinite(sample.stwCalibrated) ? sample.stwCalibrated : 0.0f;
        ++stwValidCounter;
        longMeasuredStwSum += sample.stw->along * dt;
        transMeasuredStwSum += sample.stw->across * dt;
        lastStwChangeTime = std::max(lastStwChangeTime, now);
    }
}

qint64 SingleLeg::legTimeMs() const {
    if (!started) {
        return 0;
    }
    const qint64 end = completed ? stopTime : std::max(lastSogChangeTime, lastStwChangeTime);
    return std::max<qint64>(end - startTime, 0);
}

double SingleLeg::sogValidPercent() const {
    return percent(sogValidCounter, messageCounter);
}

double SingleLeg::stwValidPercent() const {
    return percent(stwValidCounter, messageCounter);
}

int SemiAutoCalibration::startLeg(float legDistance, qint64 now) {
    if (calibrationCompleted) {
        resetCalibration();
    }
    int leg = 1;
    if (legOne.completed) {
        resetCalibrationLeg2();
        legTwo.start(now);
        legTwo.legDistance = legDistance_;
        leg = 2;
    } else {
        resetCalibration();
        legDistance_ = legDistance;
        legOne.start(now);
        legOne.legDistance = legDistance;
        legTwo.legDistance = legDistance;
        calibrationStarted = true;
    }
    singleLegGPS = 0.0;
    gps_previousTime = 0;
    return leg;
}

bool SemiAutoCalibration::stopLeg(qint64 now) {
    if (legOne.isRunning()) {
        legOne.stop(now);
        legOne.gpsDistance = gpsSum;
        legOne.gpsAvailableTime = gpsAvailableTime_;
    } else if (legTwo.isRunning()) {
        legTwo.stop(now);
        calibrationCompleted = true;
    }
    return calibrationCompleted;
}

SingleLeg* SemiAutoCalibration::runningLeg() {
    if (legOne.isRunning()) {
        return &legOne;
    }
    return legTwo.isRunning() ? &legTwo : nullptr;
}

const SingleLeg& SemiAutoCalibration::currentLeg() const {
    return legTwo.started ? legTwo : legOne;
}

void SemiAutoCalibration::addMeasurement(const SemiAutoSample& sample, qint64 now) {
    SingleLeg* leg = runningLeg();
    if (leg == nullptr) {
        return;
    }
    if (sample.gpsSog) {
        const float gps = *sample.gpsSog;
        minGps = gpsSeen ? std::min(minGps, gps) : gps;
        maxGps = gpsSeen ? std::max(maxGps, gps) : gps;
        gpsSeen = true;
        // The first GPS sample of a leg starts its clock; a gap counts at the speed after it.
        if (gps_previousTime != 0) {
            const double dt = hoursBetween(gps_previousTime, now);
            gpsSum += gps * dt;
            singleLegGPS += gps * dt;
            gpsAvailableTime_ += dt;
        }
        gps_previousTime = now;
    }
    sogValid = sogValid || sample.sog.has_value();
    leg->add(sample, now);
}

void SemiAutoCalibration::resetCalibration() {
    *this = SemiAutoCalibration{};
}

// The calibration goes back to where the first leg left it.
void SemiAutoCalibration::resetCalibrationLeg2() {
    legTwo = SingleLeg{};
    legTwo.legDistance = legDistance_;
    gpsSum = legOne.gpsDistance;
    gpsAvailableTime_ = legOne.gpsAvailableTime;
    singleLegGPS = 0.0;
    gps_previousTime = 0;
    gpsSeen = false;
    calibrationCompleted = false;
}

float SemiAutoCalibration::getCalculatedRealSpeed() const {
    double hours = 0.0;
    double distance = 0.0;
    if (legOne.completed && legTwo.completed) {
        hours = static_cast<double>(legOne.legTimeMs() + legTwo.legTimeMs()) / kMsPerHour;
        distance = 2.0 * legDistance_;
    } else if (legOne.completed) {
        hours = static_cast<double>(legOne.legTimeMs()) / kMsPerHour;
        distance = legDistance_;
    }
    // A leg of no time has no speed.
    return hours > 0.0 ? static_cast<float>(distance / hours) : FLT_MAX;
}

// The first leg while only it has started, the second while it runs, both once completed.
QList<const SingleLeg*> SemiAutoCalibration::countingLegs() const {
    if (legOne.completed && legTwo.completed) {
        return {&legOne, &legTwo};
    }
    if (legTwo.started) {
        return {&legTwo};
    }
    if (legOne.started) {
        return {&legOne};
    }
    return {};
}

float SemiAutoCalibration::averageOf(double SingleLeg_S::*along,
                                     double SingleLeg_S::*across) const {
    double sumAlong = 0.0;
    double sumAcross = 0.0;
    qint64 ms = 0;
    for (const SingleLeg* leg : countingLegs()) {
        sumAlong += leg->*along;
        sumAcross += leg->*across;
        ms += leg->legTimeMs();
    }
    if (ms <= 0) {
        return FLT_MAX;
    }
    return static_cast<float>(std::hypot(sumAlong, sumAcross) * kMsPerHour /
                              static_cast<double>(ms));
}

float SemiAutoCalibration::getAverageMeasuredStw() const {
    return averageOf(&SingleLeg_S::longMeasuredStwSum, &SingleLeg_S::transMeasuredStwSum);
}

float SemiAutoCalibration::getAverageMeasuredSog() const {
    return sogValid ? averageOf(&SingleLeg_S::longMeasuredSogSum, &SingleLeg_S::transMeasuredSogSum)
                    : FLT_MAX;
}

double SemiAutoCalibration::averageOffset(double SingleLeg_S::*along, double SingleLeg_S::*across,
                                          double appliedRad) const {
    double sum = 0.0;
    int legs = 0;
    for (const SingleLeg* leg : {&legOne, &legTwo}) {
        if (leg->completed && (leg->*along != 0.0 || leg->*across != 0.0)) {
            sum += semiautomath::recommendedOffset(leg->*along, leg->*across, appliedRad);
            ++legs;
        }
    }
    return legs == 0 ? 0.0 : sum / legs;
}

double SemiAutoCalibration::getAverageSTWoffset(double stwOffsetRad) const {
    return averageOffset(&SingleLeg_S::longMeasuredStwSum, &SingleLeg_S::transMeasuredStwSum,
                         stwOffsetRad);
}

double SemiAutoCalibration::getAverageSOGoffset(double installationAngleRad) const {
    return averageOffset(&SingleLeg_S::longMeasuredSogSum, &SingleLeg_S::transMeasuredSogSum,
                         installationAngleRad);
}

float SemiAutoCalibration::getDistanceTrawelledWater() const {
    const SingleLeg& leg = currentLeg();
    return distanceOverLeg(leg.stwSum, leg.stwValidCounter, leg.legTimeMs());
}

float SemiAutoCalibration::getDistanceTrawelledGround() const {
    const SingleLeg& leg = currentLeg();
    return distanceOverLeg(leg.sogSum, leg.sogValidCounter, leg.legTimeMs());
}

float SemiAutoCalibration::getGpsAverage() const {
    return gpsAvailableTime_ > 0.0 ? static_cast<float>(gpsSum / gpsAvailableTime_) : FLT_MAX;
}

float SemiAutoCalibration::getGpsMin() const {
    return gpsSeen ? minGps : FLT_MAX;
}

float SemiAutoCalibration::getGpsMax() const {
    return gpsSeen ? maxGps : FLT_MAX;
}

SpeedCalibrationPoint SemiAutoCalibration::getSemiAutoPoint(bool sogAndStw, double stwOffsetRad,
                                                            double installationAngleRad) const {
    SpeedCalibrationPoint point;
    point.realSpeed = getCalculatedRealSpeed();
    point.measuredSOG = getAverageMeasuredSog();
    point.measuredSTW = sogAndStw ? getAverageMeasuredStw() : point.measuredSOG;
    point.mountingError = static_cast<float>(semiautomath::degrees(
        sogAndStw ? getAverageSTWoffset(stwOffsetRad) : getAverageSOGoffset(installationAngleRad)));
    point.isSet = sogValid;
    point.sogValid = true;
    return point;
}
