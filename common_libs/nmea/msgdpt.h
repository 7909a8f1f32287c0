#pragma once

#include "sentencefields.h"

// Depth below the transducer; always sent as IIDPT with two decimals.
//   $IIDPT,waterDepth,transducerOffset,maximumDepth*hh        (further fields ignored)
class MsgDPT : public TableSentence<MsgDPT> {
public:
    static constexpr FieldCount kCount = atLeast(3);
    static std::span<const Field<MsgDPT>> fields();

    MsgDPT();
    MsgDPT(float waterDepth, float transducerOffset, float maximumDepth);

protected:
    QString address() const override { return QStringLiteral("IIDPT"); }

    SENTENCE_FIELD(float, waterDepth, setWaterDepth)
    SENTENCE_FIELD(float, transducerOffset, setTransducerOffset)
    SENTENCE_FIELD(float, maximumDepth, setMaximumDepth)
};
