#pragma once

#include "sentencefields.h"

// Magnetic heading with deviation and variation; directions E, W or empty.
//   $--HDG,magneticSensorHeading,magneticDeviation,magneticDeviationEW,
//         magneticVariation,magneticVariationEW*hh
class MsgHDG : public TableSentence<MsgHDG> {
public:
    static constexpr FieldCount kCount = exactly(5);
    static std::span<const Field<MsgHDG>> fields();

    MsgHDG();
    MsgHDG(float magneticSensorHeading, float magneticDeviation, const QString& magneticDeviationEW,
           float magneticVariation, const QString& magneticVariationEW);

    bool setParams(const QStringList& params) override;

    SENTENCE_FIELD(float, magneticSensorHeading, setMagneticSensorHeading)
    SENTENCE_FIELD(float, magneticDeviation, setMagneticDeviation)
    SENTENCE_FIELD(QString, magneticDeviationEW, setMagneticDeviationEW)
    SENTENCE_FIELD(float, magneticVariation, setMagneticVariation)
    SENTENCE_FIELD(QString, magneticVariationEW, setMagneticVariationEW)
};
