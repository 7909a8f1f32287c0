#pragma once

#include "sentencefields.h"

// Data-logging filter outputs, one decimal each.
//   $PNRVDTL,sogGPS,stwRes_MovAvg,sogRes_MovAvg,stwRes_MovAvgSlewLim,
//           sogRes_MovAvgSlewLim,stwRes_ExpFilt,sogRes_ExpFilt*hh
class MsgDTL : public TableSentence<MsgDTL> {
public:
    static constexpr FieldCount kCount = exactly(7);
    static std::span<const Field<MsgDTL>> fields();

    MsgDTL();
    MsgDTL(float sogGPS, float stwRes_MovAvg, float sogRes_MovAvg, float stwRes_MovAvgSlewLim,
           float sogRes_MovAvgSlewLim, float stwRes_ExpFilt, float sogRes_ExpFilt);

    SENTENCE_FIELD(float, sogGPS, setSogGPS)
    SENTENCE_FIELD(float, stwRes_MovAvg, setStwRes_MovAvg)
    SENTENCE_FIELD(float, sogRes_MovAvg, setSogRes_MovAvg)
    SENTENCE_FIELD(float, stwRes_MovAvgSlewLim, setStwRes_MovAvgSlewLim)
    SENTENCE_FIELD(float, sogRes_MovAvgSlewLim, setSogRes_MovAvgSlewLim)
    SENTENCE_FIELD(float, stwRes_ExpFilt, setStwRes_ExpFilt)
    SENTENCE_FIELD(float, sogRes_ExpFilt, setSogRes_ExpFilt)
};
