#pragma once

#include "sentencefields.h"

// Alert sentence. The last field is the alert text in sentence 1 and the description in
// sentence 2, both when built and when read.
//   $--ALF,totalNumberOfSentences,sentenceNumber,sequentialMessageIdentifier,timeOfLastChange,
//          alertCategory,alertPriority,alertState,manufacturerMnemonicCode,alertIdentifier,
//          alertInstance,revisionCounter,escalationCounter,alertText|alertDescription*hh
// The identifier has at least three digits (007), the instance is plain.
class MsgALF : public TableSentence<MsgALF> {
public:
    static constexpr FieldCount kCount = exactly(13);
    // The twelve fields before the text.
    static std::span<const Field<MsgALF>> fields();

    MsgALF();
    MsgALF(int totalNumberOfSentences, int sentenceNumber, int sequentialMessageIdentifier,
           const QString& timeOfLastChange, const QString& alertCategory,
           const QString& alertPriority, const QString& alertState,
           const QString& manufacturerMnemonicCode, quint32 alertIdentifier, quint32 alertInstance,
           int revisionCounter, int escalationCounter, const QString& text);

    bool setParams(const QStringList& params) override;
    QList<NamedValue> fieldValues() const override;

protected:
    QStringList buildFields() const override;

private:
    bool carriesText() const { return m_sentenceNumber == 1; }
    QString& lastField() { return carriesText() ? m_alertText : m_alertDescription; }

    SENTENCE_FIELD(int, totalNumberOfSentences, setTotalNumberOfSentences)
    SENTENCE_FIELD(int, sentenceNumber, setSentenceNumber)
    SENTENCE_FIELD(int, sequentialMessageIdentifier, setSequentialMessageIdentifier)
    SENTENCE_FIELD(QString, timeOfLastChange, setTimeOfLastChange)
    SENTENCE_FIELD(QString, alertCategory, setAlertCategory)
    SENTENCE_FIELD(QString, alertPriority, setAlertPriority)
    SENTENCE_FIELD(QString, alertState, setAlertState)
    SENTENCE_FIELD(QString, manufacturerMnemonicCode, setManufacturerMnemonicCode)
    SENTENCE_FIELD(quint32, alertIdentifier, setAlertIdentifier)
    SENTENCE_FIELD(quint32, alertInstance, setAlertInstance)
    SENTENCE_FIELD(int, revisionCounter, setRevisionCounter)
    SENTENCE_FIELD(int, escalationCounter, setEscalationCounter)
    SENTENCE_FIELD(QString, alertText, setAlertText)
    SENTENCE_FIELD(QString, alertDescription, setAlertDescription)
};
