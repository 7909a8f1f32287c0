#pragma once

#include "calibrationpoints.h"
#include "semiautosample.h"

#include <QList>
#include <QtGlobal>

// One leg of the basic computation: the uncalibrated speeds integrated over time (each sample
// stands for the time since the previous valid one), the calibrated speeds summed, and how
// many samples were valid.
struct SingleLeg_S {
    qint64 startTime = 0;
    qint64 stopTime = 0;
    qint64 lastSogChangeTime = 0;
    qint64 lastStwChangeTime = 0;
    double longMeasuredStwSum = 0.0; // nautical miles
    double transMeasuredStwSum = 0.0;
    double longMeasuredSogSum = 0.0;
    double transMeasuredSogSum = 0.0;
    bool started = false;
    bool completed = false;
    bool sogValid = false;
    bool stwValid = false;
    quint64 sogValidCounter = 0;
    quint64 stwValidCounter = 0;
    quint64 messageCounter = 0;
    double stwSum = 0.0;
    double sogSum = 0.0;
};

class SingleLeg : public SingleLeg_S {
public:
    void start(qint64 now);
    void stop(qint64 now);
    void add(const SemiAutoSample& sample, qint64 now);
    bool isRunning() const { return started && !completed; }
    // Stop minus start when completed; while running, up to its latest valid sample.
    qint64 legTimeMs() const;
    // Share of the samples with valid SOG or STW, percent; 0 without samples.
    double sogValidPercent() const;
    double stwValidPercent() const;

    float legDistance = 0.0f;
    // GPS distance and hours with GPS when the leg stopped, for a second leg to fall back on.
    double gpsDistance = 0.0;
    double gpsAvailableTime = 0.0;
};

// The basic computation of a calibration from one or two legs over a known distance, the
// second on the reciprocal course: the true speed from distance and time, the measured speeds
// as averages over the legs, the heading offsets as the mean drift angles. Times are
// milliseconds since the epoch; an unknown result is the largest float.
class SemiAutoCalibration {
public:
    // 1 or 2, the leg that started; a finished calibration starts anew.
    int startLeg(float legDistance, qint64 now);
    // True when this completed the calibration.
    bool stopLeg(qint64 now);
    void addMeasurement(const SemiAutoSample& sample, qint64 now);
    void resetCalibration();
    void resetCalibrationLeg2();

    bool isLegRunning() const { return legOne.isRunning() || legTwo.isRunning(); }
    bool isCompleted() const { return calibrationCompleted; }

    float getCalculatedRealSpeed() const;
    float getAverageMeasuredStw() const;
    float getAverageMeasuredSog() const;
    // Mean recommended offsets of the completed legs, radians; 0 without a completed leg.
    double getAverageSTWoffset(double stwOffsetRad) const;
    double getAverageSOGoffset(double installationAngleRad) const;
    // Of the running leg, else the last one started, nautical miles.
    float getDistanceTrawelledWater() const;
    float getDistanceTrawelledGround() const;
    float getGpsAverage() const;
    float getGpsMin() const;
    float getGpsMax() const;
    float getSingleLegGPS() const { return static_cast<float>(singleLegGPS); }
    const SingleLeg& leg(int number) const { return number == 2 ? legTwo : legOne; }

    // The point of the calibration for the table; mounting error in degrees.
    SpeedCalibrationPoint getSemiAutoPoint(bool sogAndStw, double stwOffsetRad,
                                           double installationAngleRad) const;

private:
    SingleLeg* runningLeg();
    const SingleLeg& currentLeg() const;
    QList<const SingleLeg*> countingLegs() const;
    float averageOf(double SingleLeg_S::*along, double SingleLeg_S::*across) const;
    double averageOffset(double SingleLeg_S::*along, double SingleLeg_S::*across,
                         double appliedRad) const;

    SingleLeg legOne;
    SingleLeg legTwo;
    float legDistance_ = 0.0f;
    float minGps = 0.0f;
    float maxGps = 0.0f;
    double gpsSum = 0.0;
    double singleLegGPS = 0.0;
    double gpsAvailableTime_ = 0.0; // hours
    qint64 gps_previousTime = 0;
    bool calibrationStarted = false;
    bool calibrationCompleted = false;
    bool sogValid = false;
    bool gpsSeen = false;
};
