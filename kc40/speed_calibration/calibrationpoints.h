#pragma once

#include <QObject>
#include <QString>

// Which of the sensor's two speeds a calibration point or a conversion is about.
enum SpeedType { STW_speed = 0, SOG_speed = 1 };

// One zone's point as the display enters it. The property names are the keys of the table
// file; mounting error in degrees.
struct SpeedCalibrationPoint {
    Q_GADGET
    Q_PROPERTY(int calibrationPointNumber MEMBER calibrationPointNumber)
    Q_PROPERTY(float realSpeed MEMBER realSpeed)
    Q_PROPERTY(float measuredSTW MEMBER measuredSTW)
    Q_PROPERTY(float measuredSOG MEMBER measuredSOG)
    Q_PROPERTY(float mountingError MEMBER mountingError)
    Q_PROPERTY(bool isSet MEMBER isSet)
    Q_PROPERTY(bool sogValid MEMBER sogValid)
public:
    int calibrationPointNumber = 0;
    float realSpeed = 0.0f;
    float measuredSTW = 0.0f;
    float measuredSOG = 0.0f;
    float mountingError = 0.0f;
    bool isSet = false;
    bool sogValid = false;

    float getMountingErrorRad() const;
    // Measured SOG, or measured STW standing in for it when SOG is not usable.
    float usableSog() const { return sogValid ? measuredSOG : measuredSTW; }
    bool isFinite() const;
};

// The source in use for one zone, as stored in the file of sources.
struct SpeedCalibrationPointSet {
    Q_GADGET
    Q_PROPERTY(int calibrationPointSet MEMBER calibrationPointSet)
public:
    int calibrationPointSet = 0;
};

// One speed on one frequency: what the sensor measured at a true speed. Angle in degrees.
struct SingleSpeedCalibrationPoint {
    Q_GADGET
    Q_PROPERTY(int isValid MEMBER isValid)
    Q_PROPERTY(float realSpeed MEMBER realSpeed)
    Q_PROPERTY(float measuredSpeed MEMBER measuredSpeed)
    Q_PROPERTY(float angleOffset MEMBER angleOffset)
public:
    int isValid = 0;
    float realSpeed = 0.0f;
    float measuredSpeed = 0.0f;
    float angleOffset = 0.0f;

    SingleSpeedCalibrationPoint() = default;
    SingleSpeedCalibrationPoint(const SpeedCalibrationPoint& point, SpeedType type);

    bool valid() const { return isValid != 0; }
    static SingleSpeedCalibrationPoint getAverageOfTwoPoints(const SingleSpeedCalibrationPoint& a,
                                                             const SingleSpeedCalibrationPoint& b);
};

// A zone's point for both speeds on both transmit frequencies; the table used for conversion.
// Its text form, one element of the extended file:
//   [number?source?{stw high}|{stw low}|{sog high}|{sog low}]
// each {...} the single point's JSON object.
class ExtendedSpeedCalibrationPoint {
public:
    // Typical ratio of measured to true speed when nothing was calibrated yet.
    static constexpr float kStwHighFactor = 0.751f;
    static constexpr float kStwLowFactor = 0.71f;
    static constexpr float kSogFactor = 0.835f;

    int calibrationPointSource = 0;
    int calibrationPointNumber = 0;
    bool isSet = false;
    SingleSpeedCalibrationPoint stwHighFrequencyPoint;
    SingleSpeedCalibrationPoint stwLowFrequencyPoint;
    SingleSpeedCalibrationPoint sogHighFrequencyPoint;
    SingleSpeedCalibrationPoint sogLowFrequencyPoint;

    ExtendedSpeedCalibrationPoint() = default;
    ExtendedSpeedCalibrationPoint(const SpeedCalibrationPoint& point, int source,
                                  bool sensorFactors);

    const SingleSpeedCalibrationPoint& getSinglePoint(SpeedType type, bool highFrequency) const;
    SingleSpeedCalibrationPoint& getSinglePoint(SpeedType type, bool highFrequency);
    const SingleSpeedCalibrationPoint& getStwPoint() const { return stwHighFrequencyPoint; }
    const SingleSpeedCalibrationPoint& getSogPoint() const { return sogHighFrequencyPoint; }

    QString toText() const;
    // All or nothing: false leaves the point unchanged.
    bool fromText(const QString& text);
};
