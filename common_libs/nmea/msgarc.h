#pragma once

#include "sentencefields.h"

// Alert command refused.
//   $--ARC,releaseTime,manufacturerMnemonicCode,alertIdentifier,alertInstance,refusedAlertCommand*hh
// The identifier has at least three digits (007), the instance is plain.
class MsgARC : public TableSentence<MsgARC> {
public:
    static constexpr FieldCount kCount = exactly(5);
    static std::span<const Field<MsgARC>> fields();

    MsgARC();
    MsgARC(const QString& releaseTime, const QString& manufacturerMnemonicCode,
           quint32 alertIdentifier, quint32 alertInstance, const QString& refusedAlertCommand);

    SENTENCE_FIELD(QString, releaseTime, setReleaseTime)
    SENTENCE_FIELD(QString, manufacturerMnemonicCode, setManufacturerMnemonicCode)
    SENTENCE_FIELD(quint32, alertIdentifier, setAlertIdentifier)
    SENTENCE_FIELD(quint32, alertInstance, setAlertInstance)
    SENTENCE_FIELD(QString, refusedAlertCommand, setRefusedAlertCommand)
};
