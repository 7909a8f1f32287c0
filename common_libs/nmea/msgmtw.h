#pragma once

#include "sentencefields.h"

// Water temperature.
//   $--MTW,waterTemperature,C*hh
class MsgMTW : public TableSentence<MsgMTW> {
public:
    static constexpr FieldCount kCount = exactly(2);
    static std::span<const Field<MsgMTW>> fields();

    MsgMTW();
    MsgMTW(float waterTemperature, const QString& unitOfMeasurement);

    SENTENCE_FIELD(float, waterTemperature, setWaterTemperature)
    SENTENCE_FIELD(QString, unitOfMeasurement, setUnitOfMeasurement)
};
