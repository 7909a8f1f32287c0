#pragma once

#include "sentencefields.h"

// Version report; always sent with talker VD. A VER without fields asks for ours.
//   $VDVER,totalNumberOfSentences,sentenceNumber,deviceType,venderID,uniqueIdentifier,
//          manufacturerSerialNumber,modelCode,softwareRevision,hardwareRevision,
//          sequentialMessageIdentifier*hh
class MsgVER : public TableSentence<MsgVER> {
public:
    static constexpr FieldCount kCount = exactly(10);
    static std::span<const Field<MsgVER>> fields();
    // Held in uniqueIdentifier by a received VER without fields.
    static inline const QString kRequest = QStringLiteral("Request");

    MsgVER();
    MsgVER(int totalNumberOfSentences, int sentenceNumber, const QString& deviceType,
           const QString& venderID, const QString& uniqueIdentifier,
           const QString& manufacturerSerialNumber, const QString& modelCode,
           const QString& softwareRevision, const QString& hardwareRevision,
           int sequentialMessageIdentifier);

    bool setParams(const QStringList& params) override;
    bool isRequest() const { return m_uniqueIdentifier == kRequest; }

protected:
    QString address() const override { return QStringLiteral("VDVER"); }

    SENTENCE_FIELD(int, totalNumberOfSentences, setTotalNumberOfSentences)
    SENTENCE_FIELD(int, sentenceNumber, setSentenceNumber)
    SENTENCE_FIELD(QString, deviceType, setDeviceType)
    SENTENCE_FIELD(QString, venderID, setVenderID)
    SENTENCE_FIELD(QString, uniqueIdentifier, setUniqueIdentifier)
    SENTENCE_FIELD(QString, manufacturerSerialNumber, setManufacturerSerialNumber)
    SENTENCE_FIELD(QString, modelCode, setModelCode)
    SENTENCE_FIELD(QString, softwareRevision, setSoftwareRevision)
    SENTENCE_FIELD(QString, hardwareRevision, setHardwareRevision)
    SENTENCE_FIELD(int, sequentialMessageIdentifier, setSequentialMessageIdentifier)
};
