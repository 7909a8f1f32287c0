#pragma once

#include "sentencefields.h"

// MAC address of a peer; also arrives in the approved form (talker + ACA). Further fields are
// ignored, a missing one leaves the address empty.
//   $PNRVMACA,macAddress*hh
class MsgMACA : public TableSentence<MsgMACA> {
public:
    static constexpr FieldCount kCount = atLeast(0);
    static std::span<const Field<MsgMACA>> fields();

    MsgMACA();
    explicit MsgMACA(const QString& macAddress);

    bool setParams(const QStringList& params) override;

    SENTENCE_FIELD(QString, macAddress, setMacAddress)
};
