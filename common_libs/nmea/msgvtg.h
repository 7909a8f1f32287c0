#pragma once

#include "sentencefields.h"

// Course and speed over ground.
//   $--VTG,trackDegresTrue,T,trackDegresMagnetic,M,speedKnots,N,speedKilometers,K
//         [,modeIndicator]*hh
class MsgVTG : public TableSentence<MsgVTG> {
public:
    static constexpr FieldCount kCount = atLeast(8);
    static std::span<const Field<MsgVTG>> fields();

    MsgVTG();
    MsgVTG(float trackDegresTrue, const QString& trueDegrees, float trackDegresMagnetic,
           const QString& magneticDegrees, float speedKnots, const QString& knots,
           float speedKilometers, const QString& kilometers, const QString& modeIndicator);

    SENTENCE_FIELD(float, trackDegresTrue, setTrackDegresTrue)
    SENTENCE_FIELD(QString, trueDegrees, setTrueDegrees)
    SENTENCE_FIELD(float, trackDegresMagnetic, setTrackDegresMagnetic)
    SENTENCE_FIELD(QString, magneticDegrees, setMagneticDegrees)
    SENTENCE_FIELD(float, speedKnots, setSpeedKnots)
    SENTENCE_FIELD(QString, knots, setKnots)
    SENTENCE_FIELD(float, speedKilometers, setSpeedKilometers)
    SENTENCE_FIELD(QString, kilometers, setKilometers)
    SENTENCE_FIELD(QString, modeIndicator, setModeIndicator)
};
