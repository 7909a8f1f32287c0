#pragma once

#include "sentencefields.h"

// Count of one error.
//   $PNRVERRORCODE,errorCode,errorCount*hh
class MsgERRORCODE : public TableSentence<MsgERRORCODE> {
public:
    static constexpr FieldCount kCount = exactly(2);
    static std::span<const Field<MsgERRORCODE>> fields();

    MsgERRORCODE();
    MsgERRORCODE(quint32 errorCode, quint32 errorCount);

    SENTENCE_FIELD(quint32, errorCode, setErrorCode)
    SENTENCE_FIELD(quint32, errorCount, setErrorCount)
};
