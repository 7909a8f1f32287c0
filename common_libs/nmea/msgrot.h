#pragma once

#include "sentencefields.h"

// Rate of turn, degrees per minute (negative to port).
//   $--ROT,rateOfTurn,status*hh
class MsgROT : public TableSentence<MsgROT> {
public:
    static constexpr FieldCount kCount = exactly(2);
    static std::span<const Field<MsgROT>> fields();

    MsgROT();
    MsgROT(float rateOfTurn, const QString& status);

    SENTENCE_FIELD(float, rateOfTurn, setRateOfTurn)
    SENTENCE_FIELD(QString, status, setStatus)
};
