#pragma once

#include "sentencefields.h"

// True heading with its mode.
//   $--THS,headingDegrees,modeIndicator*hh
class MsgTHS : public TableSentence<MsgTHS> {
public:
    static constexpr FieldCount kCount = exactly(2);
    static std::span<const Field<MsgTHS>> fields();

    MsgTHS();
    MsgTHS(float headingDegrees, const QString& modeIndicator);

    SENTENCE_FIELD(float, headingDegrees, setHeadingDegrees)
    SENTENCE_FIELD(QString, modeIndicator, setModeIndicator)
};
