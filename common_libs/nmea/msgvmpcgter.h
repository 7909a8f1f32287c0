#pragma once

#include "sentencefields.h"

// Command of the service software.
//   $PNRVVMPCGTER,msgComand*hh
class MsgVMPCGTER : public TableSentence<MsgVMPCGTER> {
public:
    static constexpr FieldCount kCount = exactly(1);
    static std::span<const Field<MsgVMPCGTER>> fields();

    MsgVMPCGTER();
    explicit MsgVMPCGTER(int msgComand);

    SENTENCE_FIELD(int, msgComand, setMsgComand)
};
