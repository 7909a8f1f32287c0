#pragma once

#include "sentencefields.h"

// Selects which output the sensor gives.
//   $PNRVSAF,outputFrom*hh
class MsgSAF : public TableSentence<MsgSAF> {
public:
    static constexpr FieldCount kCount = exactly(1);
    static std::span<const Field<MsgSAF>> fields();

    MsgSAF();
    explicit MsgSAF(int outputFrom);

    SENTENCE_FIELD(int, outputFrom, setOutputFrom)
};
