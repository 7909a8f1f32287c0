#pragma once

#include "beamanglecorrection.h"
#include "bottomclassifier.h"
#include "sensorspeed.h"
#include "sensortemperature.h"
#include "speedcalibrationsource.h"
#include "tilt.h"
#include "variabletypest.h"

#include <QList>
#include <QObject>

class MsgDAT;

// The values derived from one sensor system's DAT sentences (system 4, the primary data set,
// or system 5, the second frequency). Raw fields hold the last DAT; every derived quantity is
// a varFloat that ages with the model's one-second tick.
class VQ2DataModel : public QObject {
    Q_OBJECT
public:
    explicit VQ2DataModel(QObject* parent = nullptr);

    bool isSogFrequencyHigh() const { return m_sogFrequencyHigh; }
    void setUseSogFrequencyHigh(bool high) { m_sogFrequencyHigh = high; }
    bool isDataFromDat5() const { return dataFromDAT5; }
    void setDataAreFromDat5(bool fromDat5) { dataFromDAT5 = fromDat5; }
    bool isReverseDirection() const { return reverseDirection; }
    void setForwReverseDirection(bool reverse) { reverseDirection = reverse; }
    bool isStwRawTraReplaced() const { return stwRawTraReplaced; }
    void setStwRawTraReplaced(bool replaced) { stwRawTraReplaced = replaced; }

    // Depth window length in seconds.
    void setDepthAveragingPeriod(int seconds);
    // What every filtered output of the model returns.
    void setOutputFrom(UseOutputFrom from);
    // Every derived value of the model becomes invalid at once, with the speed windows, tilt
    // and temperature behind them.
    void invalidateData();

    // One DAT of this model's system through the whole pipeline.
    void handleDat_4_msg(const MsgDAT& dat, quint64 stamp);
    void setSpeedCalibration(SpeedCalibrationSource* calibration) { speedCalib = calibration; }
    // Whether GPS says the vessel lies still; the low-speed corrections depend on it.
    void setVesselStill(bool still) { m_vesselStill = still; }
    bool isVesselStill() const { return m_vesselStill; }

    void replaceSogWithGps(quint64 stamp);
    void calculateStwAft(float rateOfTurn);
    void calculateSogAft(float rateOfTurn);
    void calculateWaterCurrent(float sogLong, float sogTra, bool valid);
    void turnAveragingOn() { setAveraging(true); }
    void turnAveragingOff() { setAveraging(false); }

    const SensorSpeed& stwLongAverage() const { return stwLongAvg; }
    const SensorSpeed& stwTraAverage() const { return stwTraAvg; }
    const BottomClassifierBothAxis& bottom() const { return checkButtom; }
    // The derived values, for ageing and bulk changes.
    const QList<varFloat*>& variables() const { return m_variables; }

    bool m_sogFrequencyHigh = false;
    bool dataFromDAT5 = false;
    bool reverseDirection = false;
    bool m_averagingOn = true;
    int dockingAveragingPeriod = 1;
    int prevSpeedAveragingPeriod = 0;
    int prevDepthAveragingPeriod = 0;
    int prevTiltAveragingPeriod = 0;
    int prevTempAveragingPeriod = 0;
    bool sensorSimulationOn = false;
    float stwLongRaw = kAbsentFloat;
    float stwTraRaw = kAbsentFloat;
    bool stwRawTraReplaced = false;
    quint8 stwLongQuality = 0;
    quint8 stwTraQuality = 0;
    float sogLongRaw = kAbsentFloat;
    float sogTraRaw = kAbsentFloat;
    quint8 sogLongQuality = 0;
    quint8 sogTraQuality = 0;
    float depthFwdRaw = kAbsentFloat;
    float depthSideRaw = kAbsentFloat;
    quint64 timestamp = 0;
    BottomClassifierBothAxis checkButtom;
    SensorSpeed stwLongAvg;
    SensorSpeed stwTraAvg;
    SensorSpeed sogLongAvg;
    SensorSpeed sogTraAvg;
    varFloat depthFwdAvg;
    varFloat depthSideAvg;
    float accX_Raw = 0.0f;
    float accY_Raw = 0.0f;
    float accZ_Raw = 0.0f;
    Tilt sensorTilt;
    SensorTemperature sensorTemperature;
    float temperatureRaw = kAbsentFloat;
    BeamAngleCorrection beamAngleCorrection;
    float sensorAccX = 0.0f;
    float sensorAccY = 0.0f;
    varFloat stwLongSensor;
    varFloat stwTraSensor;
    varFloat sogLongSensor;
    varFloat sogTraSensor;
    varFloat depthFwd;
    varFloat depthSide;
    varFloat stwLongBoatNoCallib;
    varFloat stwTraBoatNoCallib;
    varFloat sogLongBoatNoCallib;
    varFloat sogTraBoatNoCallib;
    varFloat stwResBoatNoCallib;
    varFloat sogResBoatNoCallib;
    varFloat ctwResSensor;
    varFloat cogResSensor;
    varFloat ctwResBoat;
    varFloat cogResBoat;
    SpeedCalibrationSource* speedCalib = nullptr;
    varFloat stwResBoatCallibrated;
    varFloat sogResBoatCallibrated;
    varFloat stwLongBoatCallibrated;
    varFloat stwTraBoatCallibrated;
    varFloat sogLongBoatCallibrated;
    varFloat sogTraBoatCallibrated;
    varFloat stwTraAftCallibrated;
    varFloat sogTraAftCallibrated;
    varFloat wcLong;
    varFloat wcTra;
    varFloat wcRes;
    varFloat wcCourse;
    varFloat deltaWaterDistanceTraveled;
    varFloat deltaGroundDistanceTraveled;

Q_SIGNALS:
    void sigIncreaseTimeCounter();

public Q_SLOTS:
    void slotIncreaseTimeCounter() { Q_EMIT sigIncreaseTimeCounter(); }
    void slotOutputParametersChanged();
    // In satellite-log mode GPS is the only source: ground speed from it, no water values.
    void handleGPS_Input();

private:
    // The pipeline steps, in the order updateCalculations runs them.
    void getDataFromDat_4(const MsgDAT& dat, quint64 stamp, const QString& outputParams);
    void updateCalculations();
    void applyLowSpeedLimits();
    void applyAngleToDepth_andAverage();
    void applyAngleToSpeed_andAverage();
    void calculateSensorSpeedAndDepth();
    void transformToBoatCoordinates();
    void calculateResultantNotCalibratedValues();
    void calculateCourses();
    void applyStwCallibration();
    void applySogCallibration();
    void getCallibratedSpeedProjections();
    void calculateDeltaDistance();

    void averageDepth(varFloat& average, float depth);
    void takeGroundAxis(varFloat& axis, const SensorSpeed& average, float& acceleration);
    float calibrated(float speed, SpeedType type);
    void checkSpeedAveraging(float speed);
    void setAveraging(bool on);

    PassThroughCalibration m_passThrough;
    bool m_vesselStill = false;
    QList<varFloat*> m_variables;
};
