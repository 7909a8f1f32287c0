#pragma once

#include "sentencefields.h"

// Alert command from bridge alert management.
//   $--ACN,timeOfAlert,manufacturerMnemonicCode,alertIdentifier,alertInstance,alertCommand,
//         alertStatusFlag*hh                     (identifier at least three digits)
class MsgACN : public TableSentence<MsgACN> {
public:
    static constexpr FieldCount kCount = exactly(6);
    static std::span<const Field<MsgACN>> fields();

    MsgACN();
    MsgACN(const QString& timeOfAlert, const QString& manufacturerMnemonicCode,
           quint32 alertIdentifier, quint32 alertInstance, const QString& alertCommand,
           const QString& alertStatusFlag);

    SENTENCE_FIELD(QString, timeOfAlert, setTimeOfAlert)
    SENTENCE_FIELD(QString, manufacturerMnemonicCode, setManufacturerMnemonicCode)
    SENTENCE_FIELD(quint32, alertIdentifier, setAlertIdentifier)
    SENTENCE_FIELD(quint32, alertInstance, setAlertInstance)
    SENTENCE_FIELD(QString, alertCommand, setAlertCommand)
    SENTENCE_FIELD(QString, alertStatusFlag, setAlertStatusFlag)
};
