#pragma once

#include "sentencefields.h"

// Extended motion for the display.
//   $PNRVDLM,rateOfTurn,headingTrue,transAftSpeedToWater,transAftSpeedToGround,
//           resCurrentSpeed,currentDirection,nDraftType,gpsSog,roll,pitch,gpsSogAngle*hh
// Speeds two decimals, the rest one.
class MsgDLM : public TableSentence<MsgDLM> {
public:
    static constexpr FieldCount kCount = exactly(11);
    static std::span<const Field<MsgDLM>> fields();

    MsgDLM();
    MsgDLM(float rateOfTurn, float headingTrue, float transAftSpeedToWater,
           float transAftSpeedToGround, float resCurrentSpeed, float currentDirection,
           int nDraftType, float gpsSog, float roll, float pitch, float gpsSogAngle);

    SENTENCE_FIELD(float, rateOfTurn, setRateOfTurn)
    SENTENCE_FIELD(float, headingTrue, setHeadingTrue)
    SENTENCE_FIELD(float, transAftSpeedToWater, setTransAftSpeedToWater)
    SENTENCE_FIELD(float, transAftSpeedToGround, setTransAftSpeedToGround)
    SENTENCE_FIELD(float, resCurrentSpeed, setResCurrentSpeed)
    SENTENCE_FIELD(float, currentDirection, setCurrentDirection)
    SENTENCE_FIELD(int, nDraftType, setNDraftType)
    SENTENCE_FIELD(float, gpsSog, setGpsSog)
    SENTENCE_FIELD(float, roll, setRoll)
    SENTENCE_FIELD(float, pitch, setPitch)
    SENTENCE_FIELD(float, gpsSogAngle, setGpsSogAngle)
};
