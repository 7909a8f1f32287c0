#pragma once

#include "sentencefields.h"

// Extended distance, depth and temperature for the display.
//   $PNRVDLI,total,trip,nDepthType,frAxisDepthFwd_VQ2,frAxisDepthAft_VQ2,
//           scAxisDepthFwd_VQ2,scAxisDepthAft_VQ2,depthAverage,temperature,hours,minuts*hh
// Total two decimals, trip three, the rest one.
class MsgDLI : public TableSentence<MsgDLI> {
public:
    static constexpr FieldCount kCount = exactly(11);
    static std::span<const Field<MsgDLI>> fields();

    MsgDLI();
    MsgDLI(float total, float trip, int nDepthType, float frAxisDepthFwd_VQ2,
           float frAxisDepthAft_VQ2, float scAxisDepthFwd_VQ2, float scAxisDepthAft_VQ2,
           float depthAverage, float temperature, const QString& hours, const QString& minuts);

    SENTENCE_FIELD(float, total, setTotal)
    SENTENCE_FIELD(float, trip, setTrip)
    SENTENCE_FIELD(int, nDepthType, setNDepthType)
    SENTENCE_FIELD(float, frAxisDepthFwd_VQ2, setFrAxisDepthFwd_VQ2)
    SENTENCE_FIELD(float, frAxisDepthAft_VQ2, setFrAxisDepthAft_VQ2)
    SENTENCE_FIELD(float, scAxisDepthFwd_VQ2, setScAxisDepthFwd_VQ2)
    SENTENCE_FIELD(float, scAxisDepthAft_VQ2, setScAxisDepthAft_VQ2)
    SENTENCE_FIELD(float, depthAverage, setDepthAverage)
    SENTENCE_FIELD(float, temperature, setTemperature)
    SENTENCE_FIELD(QString, hours, setHours)
    SENTENCE_FIELD(QString, minuts, setMinuts)
};
