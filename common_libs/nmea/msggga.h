#pragma once

#include "sentencefields.h"

// GPS fix data.
//   $--GGA,time,latitude,northOrSouth,longitude,eastOrWest,gpsQualityIndicator,
//         nrOfSatellitesInView,horDilPrecision,antennaAltitude,unitsOfAntAlt,
//         geoidalseparation,unitsOfGeoidals[,ageOfGpsData,difRefStationID]*hh
// The last two are read only when both are present.
class MsgGGA : public TableSentence<MsgGGA> {
public:
    static constexpr FieldCount kCount = atLeast(12);
    static std::span<const Field<MsgGGA>> fields();

    MsgGGA();
    MsgGGA(const QString& time, float latitude, const QString& northOrSouth, float longitude,
           const QString& eastOrWest, int gpsQualityIndicator, int nrOfSatellitesInView,
           float horDilPrecision, float antennaAltitude, const QString& unitsOfAntAlt,
           float geoidalseparation, const QString& unitsOfGeoidals, float ageOfGpsData,
           int difRefStationID);

    SENTENCE_FIELD(QString, time, setTime)
    SENTENCE_FIELD(float, latitude, setLatitude)
    SENTENCE_FIELD(QString, northOrSouth, setNorthOrSouth)
    SENTENCE_FIELD(float, longitude, setLongitude)
    SENTENCE_FIELD(QString, eastOrWest, setEastOrWest)
    SENTENCE_FIELD(int, gpsQualityIndicator, setGpsQualityIndicator)
    SENTENCE_FIELD(int, nrOfSatellitesInView, setNrOfSatellitesInView)
    SENTENCE_FIELD(float, horDilPrecision, setHorDilPrecision)
    SENTENCE_FIELD(float, antennaAltitude, setAntennaAltitude)
    SENTENCE_FIELD(QString, unitsOfAntAlt, setUnitsOfAntAlt)
    SENTENCE_FIELD(float, geoidalseparation, setGeoidalseparation)
    SENTENCE_FIELD(QString, unitsOfGeoidals, setUnitsOfGeoidals)
    SENTENCE_FIELD(float, ageOfGpsData, setAgeOfGpsData)
    SENTENCE_FIELD(int, difRefStationID, setDifRefStationID)
};
