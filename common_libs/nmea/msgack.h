#pragma once

#include "sentencefields.h"

// Acknowledge alarm.
//   $--ACK,uniqueAlarmNumber*hh
class MsgACK : public TableSentence<MsgACK> {
public:
    static constexpr FieldCount kCount = exactly(1);
    static std::span<const Field<MsgACK>> fields();

    MsgACK();
    explicit MsgACK(int uniqueAlarmNumber);

    SENTENCE_FIELD(int, uniqueAlarmNumber, setUniqueAlarmNumber)
};
