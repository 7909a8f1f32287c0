#pragma once

#include "sentencefields.h"

// Information text of a system.
//   $PNRVINFO,systemID,information*hh
class MsgINFO : public TableSentence<MsgINFO> {
public:
    static constexpr FieldCount kCount = exactly(2);
    static std::span<const Field<MsgINFO>> fields();

    MsgINFO();
    MsgINFO(int systemID, const QString& information);

    SENTENCE_FIELD(int, systemID, setSystemID)
    SENTENCE_FIELD(QString, information, setInformation)
};
