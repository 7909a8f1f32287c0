#pragma once

#include "sentencefields.h"

// Simulator speeds, one decimal.
//   $PNRVSFS,simCommand,speedLong,speedTrans*hh
class MsgSFS : public TableSentence<MsgSFS> {
public:
    static constexpr FieldCount kCount = exactly(3);
    static std::span<const Field<MsgSFS>> fields();

    MsgSFS();
    MsgSFS(const QString& simCommand, float speedLong, float speedTrans);

    SENTENCE_FIELD(QString, simCommand, setSimCommand)
    SENTENCE_FIELD(float, speedLong, setSpeedLong)
    SENTENCE_FIELD(float, speedTrans, setSpeedTrans)
};
