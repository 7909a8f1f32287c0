#pragma once

#include "sentencefields.h"

// Distance travelled through the water and over the ground, in nautical miles.
//   $--VLW,totCumulativeWaterDist,N,waterDistSinceReset,N,totCumulativeGroundDist,N,
//         groundDistSinceReset,N*hh                         (configured decimals)
class MsgVLW : public TableSentence<MsgVLW> {
public:
    static constexpr FieldCount kCount = exactly(8);
    static std::span<const Field<MsgVLW>> fields();

    MsgVLW();
    MsgVLW(float totCumulativeWaterDist, const QString& totCumulativeWaterDistUnit,
           float waterDistSinceReset, const QString& waterDistSinceResetUnit,
           float totCumulativeGroundDist, const QString& totCumulativeGroundDistUnit,
           float groundDistSinceReset, const QString& groundDistSinceResetUnit);

    SENTENCE_FIELD(float, totCumulativeWaterDist, setTotCumulativeWaterDist)
    SENTENCE_FIELD(QString, totCumulativeWaterDistUnit, setTotCumulativeWaterDistUnit)
    SENTENCE_FIELD(float, waterDistSinceReset, setWaterDistSinceReset)
    SENTENCE_FIELD(QString, waterDistSinceResetUnit, setWaterDistSinceResetUnit)
    SENTENCE_FIELD(float, totCumulativeGroundDist, setTotCumulativeGroundDist)
    SENTENCE_FIELD(QString, totCumulativeGroundDistUnit, setTotCumulativeGroundDistUnit)
    SENTENCE_FIELD(float, groundDistSinceReset, setGroundDistSinceReset)
    SENTENCE_FIELD(QString, groundDistSinceResetUnit, setGroundDistSinceResetUnit)
};
