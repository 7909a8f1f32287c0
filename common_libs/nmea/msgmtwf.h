#pragma once

#include "sentencefields.h"

// Water temperature measured by the sensor.
//   $PNRVMTWF,temperature,centigrade*hh
class MsgMTWF : public TableSentence<MsgMTWF> {
public:
    static constexpr FieldCount kCount = exactly(2);
    static std::span<const Field<MsgMTWF>> fields();

    MsgMTWF();
    MsgMTWF(float temperature, const QString& centigrade);

    SENTENCE_FIELD(float, temperature, setTemperature)
    SENTENCE_FIELD(QString, centigrade, setCentigrade)
};
