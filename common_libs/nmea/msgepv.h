#pragma once

#include "sentencefields.h"

// Equipment property value: C a command to us, R our reply.
//   $--EPV,sentenceStatusFlag,equipmType,uniqueIdentif,properNameIdentif,properValue*hh
class MsgEPV : public TableSentence<MsgEPV> {
public:
    static constexpr FieldCount kCount = exactly(5);
    static std::span<const Field<MsgEPV>> fields();

    MsgEPV();
    MsgEPV(const QString& equipmType, const QString& uniqueIdentif, int properNameIdentif,
           const QString& properValue);

    bool setParams(const QStringList& params) override;

    SENTENCE_FIELD(QString, sentenceStatusFlag, setSentenceStatusFlag)
    SENTENCE_FIELD(QString, equipmType, setEquipmType)
    SENTENCE_FIELD(QString, uniqueIdentif, setUniqueIdentif)
    SENTENCE_FIELD(int, properNameIdentif, setProperNameIdentif)
    SENTENCE_FIELD(QString, properValue, setProperValue)
};
