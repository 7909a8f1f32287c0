#pragma once

#include "sentencefields.h"

// Sensor test or simulation: switches it on or off, at a speed, with the outputs to enable.
//   $PNRVTST,systemID,onOff,requiredSpeed,formatToReturn,outputsEnabled*hh
//   requiredSpeed signed, two integer digits, one decimal (+05.2); outputsEnabled like "0101".
// A short form carries systemID and onOff only.
class MsgTST : public TableSentence<MsgTST> {
public:
    static constexpr FieldCount kCount = exactly(5);
    static std::span<const Field<MsgTST>> fields();

    MsgTST();
    MsgTST(int systemID, int onOff, float requiredSpeed, const QString& formatToReturn,
           const QString& outputsEnabled);

    bool setParams(const QStringList& params) override;

    SENTENCE_FIELD(int, systemID, setSystemID)
    SENTENCE_FIELD(int, onOff, setOnOff)
    SENTENCE_FIELD(float, requiredSpeed, setRequiredSpeed)
    SENTENCE_FIELD(QString, formatToReturn, setFormatToReturn)
    SENTENCE_FIELD(QString, outputsEnabled, setOutputsEnabled)
};
