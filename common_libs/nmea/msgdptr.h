#pragma once

#include "sentencefields.h"

// Depth below keel and below surface with their offsets.
//   $PNRVDPTR,depthII,offsetII,depthSD,offsetSD,utcOfData*hh
class MsgDPTR : public TableSentence<MsgDPTR> {
public:
    static constexpr FieldCount kCount = exactly(5);
    static std::span<const Field<MsgDPTR>> fields();

    MsgDPTR();
    MsgDPTR(float depthII, float offsetII, float depthSD, float offsetSD, const QString& utcOfData);

    SENTENCE_FIELD(float, depthII, setDepthII)
    SENTENCE_FIELD(float, offsetII, setOffsetII)
    SENTENCE_FIELD(float, depthSD, setDepthSD)
    SENTENCE_FIELD(float, offsetSD, setOffsetSD)
    SENTENCE_FIELD(QString, utcOfData, setUtcOfData)
};
