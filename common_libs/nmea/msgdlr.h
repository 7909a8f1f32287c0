#pragma once

#include "sentencefields.h"

// Extended speeds for the display, two decimals; directions one decimal.
//   $PNRVDLR,longSpeedToWater_VQ2,transSpeedToWater_VQ2,resSpeedToWater_VQ2,
//           speedToWater_VQ2_Direction,longSpeedToGround_VQ2,transSpeedToGround_VQ2,
//           resSpeedToGround_VQ2,speedToGround_VQ2_Direction,speedToWater_VQ1,
//           bUsedGPS,bWC_fromGPS*hh                          (flags 1 or 0)
class MsgDLR : public TableSentence<MsgDLR> {
public:
    static constexpr FieldCount kCount = exactly(11);
    static std::span<const Field<MsgDLR>> fields();

    MsgDLR();
    MsgDLR(float longSpeedToWater_VQ2, float transSpeedToWater_VQ2, float resSpeedToWater_VQ2,
           float speedToWater_VQ2_Direction, float longSpeedToGround_VQ2,
           float transSpeedToGround_VQ2, float resSpeedToGround_VQ2,
           float speedToGround_VQ2_Direction, float speedToWater_VQ1, bool bUsedGPS,
           bool bWC_fromGPS);

    SENTENCE_FIELD(float, longSpeedToWater_VQ2, setLongSpeedToWater_VQ2)
    SENTENCE_FIELD(float, transSpeedToWater_VQ2, setTransSpeedToWater_VQ2)
    SENTENCE_FIELD(float, resSpeedToWater_VQ2, setResSpeedToWater_VQ2)
    SENTENCE_FIELD(float, speedToWater_VQ2_Direction, setSpeedToWater_VQ2_Direction)
    SENTENCE_FIELD(float, longSpeedToGround_VQ2, setLongSpeedToGround_VQ2)
    SENTENCE_FIELD(float, transSpeedToGround_VQ2, setTransSpeedToGround_VQ2)
    SENTENCE_FIELD(float, resSpeedToGround_VQ2, setResSpeedToGround_VQ2)
    SENTENCE_FIELD(float, speedToGround_VQ2_Direction, setSpeedToGround_VQ2_Direction)
    SENTENCE_FIELD(float, speedToWater_VQ1, setSpeedToWater_VQ1)
    SENTENCE_FIELD(bool, bUsedGPS, setBUsedGPS)
    SENTENCE_FIELD(bool, bWC_fromGPS, setBWC_fromGPS)
};
