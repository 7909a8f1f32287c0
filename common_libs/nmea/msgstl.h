#pragma once

#include "sentencefields.h"

// Sets trip and total distance.
//   $PNRVSTL,tripValue,totalValue*hh
class MsgSTL : public TableSentence<MsgSTL> {
public:
    static constexpr FieldCount kCount = exactly(2);
    static std::span<const Field<MsgSTL>> fields();

    MsgSTL();
    MsgSTL(float tripValue, float totalValue);

    SENTENCE_FIELD(float, tripValue, setTripValue)
    SENTENCE_FIELD(float, totalValue, setTotalValue)
};
