#pragma once

#include "sentencefields.h"

// Acknowledgement of a system.
//   $PNRVCPPC,systemAck*hh
class MsgCPPC : public TableSentence<MsgCPPC> {
public:
    static constexpr FieldCount kCount = exactly(1);
    static std::span<const Field<MsgCPPC>> fields();

    MsgCPPC();
    explicit MsgCPPC(int systemAck);

    SENTENCE_FIELD(int, systemAck, setSystemAck)
};
