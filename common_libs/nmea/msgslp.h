#pragma once

#include "sentencefields.h"

// Sends a system to sleep or wakes it.
//   $PNRVSLP,targetSFI,setToSleep*hh   (1 or 0)
class MsgSLP : public TableSentence<MsgSLP> {
public:
    static constexpr FieldCount kCount = exactly(2);
    static std::span<const Field<MsgSLP>> fields();

    MsgSLP();
    MsgSLP(const QString& targetSFI, bool setToSleep);

    SENTENCE_FIELD(QString, targetSFI, setTargetSFI)
    SENTENCE_FIELD(bool, setToSleep, setSetToSleep)
};
