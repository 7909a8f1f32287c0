#pragma once

#include "sentencefields.h"

// True heading.
//   $--HDT,headingDegrees,T*hh
class MsgHDT : public TableSentence<MsgHDT> {
public:
    static constexpr FieldCount kCount = exactly(2);
    static std::span<const Field<MsgHDT>> fields();

    MsgHDT();
    MsgHDT(float headingDegrees, const QString& statusTrue);

    SENTENCE_FIELD(float, headingDegrees, setHeadingDegrees)
    SENTENCE_FIELD(QString, statusTrue, setStatusTrue)
};
