#pragma once

#include "sentencefields.h"

// Update mode on or off (approved form).
//   $--TAM,updateModeOn*hh
class MsgTAM : public TableSentence<MsgTAM> {
public:
    static constexpr FieldCount kCount = exactly(1);
    static std::span<const Field<MsgTAM>> fields();

    MsgTAM();
    explicit MsgTAM(int updateModeOn);

    SENTENCE_FIELD(int, updateModeOn, setUpdateModeOn)
};
