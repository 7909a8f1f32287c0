#pragma once

#include "sentencefields.h"

// Service request of a network peer (approved form): who it is and where to reach it.
//   $--SRP,instanceNo,strMAC,strIP*hh        (the unit writes instance 0; further fields ignored)
class MsgSRP : public TableSentence<MsgSRP> {
public:
    static constexpr FieldCount kCount = atLeast(3);
    static std::span<const Field<MsgSRP>> fields();

    MsgSRP();
    MsgSRP(const QString& strMAC, const QString& strIP);

    SENTENCE_FIELD(int, instanceNo, setInstanceNo)
    SENTENCE_FIELD(QString, strMAC, setStrMAC)
    SENTENCE_FIELD(QString, strIP, setStrIP)
};
