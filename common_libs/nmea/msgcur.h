#pragma once

#include "sentencefields.h"

// Water current of one layer; only the current speed follows the configured decimals.
//   $--CUR,validityOfData,dataSetNumber,layerNumber,currentDepthInMeters,
//         CurrentDirectionIndegrees,directionReferenceInUse,currentSpeedInKnots,
//         referenceLayerDepthInMeters,heading,headingReference,speedReference*hh
class MsgCUR : public TableSentence<MsgCUR> {
public:
    static constexpr FieldCount kCount = exactly(11);
    static std::span<const Field<MsgCUR>> fields();

    MsgCUR();
    MsgCUR(const QString& validityOfData, int dataSetNumber, int layerNumber,
           float currentDepthInMeters, float CurrentDirectionIndegrees,
           const QString& directionReferenceInUse, float currentSpeedInKnots,
           float referenceLayerDepthInMeters, float heading, const QString& headingReference,
           const QString& speedReference);

    SENTENCE_FIELD(QString, validityOfData, setValidityOfData)
    SENTENCE_FIELD(int, dataSetNumber, setDataSetNumber)
    SENTENCE_FIELD(int, layerNumber, setLayerNumber)
    SENTENCE_FIELD(float, currentDepthInMeters, setCurrentDepthInMeters)
    SENTENCE_FIELD(float, CurrentDirectionIndegrees, setCurrentDirectionIndegrees)
    SENTENCE_FIELD(QString, directionReferenceInUse, setDirectionReferenceInUse)
    SENTENCE_FIELD(float, currentSpeedInKnots, setCurrentSpeedInKnots)
    SENTENCE_FIELD(float, referenceLayerDepthInMeters, setReferenceLayerDepthInMeters)
    SENTENCE_FIELD(float, heading, setHeading)
    SENTENCE_FIELD(QString, headingReference, setHeadingReference)
    SENTENCE_FIELD(QString, speedReference, setSpeedReference)
};
