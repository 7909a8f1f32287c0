#pragma once

#include "sentencefields.h"

// Water speed and heading.
//   $--VHW,degressTrue,T,degressMagnetic,M,speedKnots,N,speedKilometers,K*hh
// Headings with one decimal, speeds with the configured decimals.
class MsgVHW : public TableSentence<MsgVHW> {
public:
    static constexpr FieldCount kCount = exactly(8);
    static std::span<const Field<MsgVHW>> fields();

    MsgVHW();
    MsgVHW(float degressTrue, const QString& typeDegressOne, float degressMagnetic,
           const QString& typeDegressTwo, float speedKnots, const QString& unitSpeedOne,
           float speedKilometers, const QString& unitSpeedTwo);

    SENTENCE_FIELD(float, degressTrue, setDegressTrue)
    SENTENCE_FIELD(QString, typeDegressOne, setTypeDegressOne)
    SENTENCE_FIELD(float, degressMagnetic, setDegressMagnetic)
    SENTENCE_FIELD(QString, typeDegressTwo, setTypeDegressTwo)
    SENTENCE_FIELD(float, speedKnots, setSpeedKnots)
    SENTENCE_FIELD(QString, unitSpeedOne, setUnitSpeedOne)
    SENTENCE_FIELD(float, speedKilometers, setSpeedKilometers)
    SENTENCE_FIELD(QString, unitSpeedTwo, setUnitSpeedTwo)
};
