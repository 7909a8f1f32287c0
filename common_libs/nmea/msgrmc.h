#pragma once

#include "sentencefields.h"

// Recommended minimum navigation data.
//   $--RMC,time,status,latitude,northOrSouth,longitude,eastOrWest,speedOverGround,
//         courseOverGround,date,magneticVariation,magVarEastOrWest[,modeIndicator,
//         navigationalStatus]*hh
// The last two are read only when both are present.
class MsgRMC : public TableSentence<MsgRMC> {
public:
    static constexpr FieldCount kCount = atLeast(11);
    static std::span<const Field<MsgRMC>> fields();

    MsgRMC();
    MsgRMC(const QString& time, const QString& status, float latitude, const QString& northOrSouth,
           float longitude, const QString& eastOrWest, float speedOverGround,
           float courseOverGround, const QString& date, float magneticVariation,
           const QString& magVarEastOrWest, const QString& modeIndicator,
           const QString& navigationalStatus);

    SENTENCE_FIELD(QString, time, setTime)
    SENTENCE_FIELD(QString, status, setStatus)
    SENTENCE_FIELD(float, latitude, setLatitude)
    SENTENCE_FIELD(QString, northOrSouth, setNorthOrSouth)
    SENTENCE_FIELD(float, longitude, setLongitude)
    SENTENCE_FIELD(QString, eastOrWest, setEastOrWest)
    SENTENCE_FIELD(float, speedOverGround, setSpeedOverGround)
    SENTENCE_FIELD(float, courseOverGround, setCourseOverGround)
    SENTENCE_FIELD(QString, date, setDate)
    SENTENCE_FIELD(float, magneticVariation, setMagneticVariation)
    SENTENCE_FIELD(QString, magVarEastOrWest, setMagVarEastOrWest)
    SENTENCE_FIELD(QString, modeIndicator, setModeIndicator)
    SENTENCE_FIELD(QString, navigationalStatus, setNavigationalStatus)
};
