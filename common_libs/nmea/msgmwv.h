#pragma once

#include "sentencefields.h"

// Wind speed and angle; the unit neither sends nor reads it, so it builds nothing.
//   $--MWV,windAngle,windReferance,windSpeed,windUnits,status*hh
class MsgMwv : public TableSentence<MsgMwv> {
public:
    static constexpr FieldCount kCount = exactly(5);
    static std::span<const Field<MsgMwv>> fields();

    MsgMwv();
    MsgMwv(float windAngle, const QString& windReferance, float windSpeed, const QString& windUnits,
           const QString& status);

    QString getMsgBuffer() const override { return {}; }

    SENTENCE_FIELD(float, windAngle, setWindAngle)
    SENTENCE_FIELD(QString, windReferance, setWindReferance)
    SENTENCE_FIELD(float, windSpeed, setWindSpeed)
    SENTENCE_FIELD(QString, windUnits, setWindUnits)
    SENTENCE_FIELD(QString, status, setStatus)
};
