#pragma once

#include "sentencefields.h"

// Geographic position.
//   $--GLL,latitude,northOrSouth,longitude,eastOrWest[,utcOfPosition,status,modeIndicator]*hh
// Time, status and mode are read only when all three are present.
class MsgGLL : public TableSentence<MsgGLL> {
public:
    static constexpr FieldCount kCount = atLeast(4);
    static std::span<const Field<MsgGLL>> fields();

    MsgGLL();
    MsgGLL(float latitude, const QString& northOrSouth, float longitude, const QString& eastOrWest,
           const QString& utcOfPosition, const QString& status, const QString& modeIndicator);

    SENTENCE_FIELD(float, latitude, setLatitude)
    SENTENCE_FIELD(QString, northOrSouth, setNorthOrSouth)
    SENTENCE_FIELD(float, longitude, setLongitude)
    SENTENCE_FIELD(QString, eastOrWest, setEastOrWest)
    SENTENCE_FIELD(QString, utcOfPosition, setUtcOfPosition)
    SENTENCE_FIELD(QString, status, setStatus)
    SENTENCE_FIELD(QString, modeIndicator, setModeIndicator)
};
