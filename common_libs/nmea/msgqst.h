#pragma once

#include "sentencefields.h"

// Signal quality thresholds for the sensor, low and high frequency.
//   $PNRVQST,QWL_lowF,QWT_lowF,QWL_highF,QWT_highF,QGL,QGT,usedHighFreqSTW,usedHighFreqSOG*hh
class MsgQST : public TableSentence<MsgQST> {
public:
    static constexpr FieldCount kCount = exactly(8);
    static std::span<const Field<MsgQST>> fields();

    MsgQST();
    MsgQST(int QWL_lowF, int QWT_lowF, int QWL_highF, int QWT_highF, int QGL, int QGT,
           int usedHighFreqSTW, int usedHighFreqSOG);

    SENTENCE_FIELD(int, QWL_lowF, setQWL_lowF)
    SENTENCE_FIELD(int, QWT_lowF, setQWT_lowF)
    SENTENCE_FIELD(int, QWL_highF, setQWL_highF)
    SENTENCE_FIELD(int, QWT_highF, setQWT_highF)
    SENTENCE_FIELD(int, QGL, setQGL)
    SENTENCE_FIELD(int, QGT, setQGT)
    SENTENCE_FIELD(int, usedHighFreqSTW, setUsedHighFreqSTW)
    SENTENCE_FIELD(int, usedHighFreqSOG, setUsedHighFreqSOG)
};
