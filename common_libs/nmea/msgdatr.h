#pragma once

#include "sentencefields.h"

// GPS position and the state of the sea calibration, for the display.
//   $PNRVDATR,latitude,northOrSouth,longitude,eastOrWest,utcOfData,sog,cog,depthMode,
//            nCurrentSeaCalibLeg,nCurrentSeaCalibDistance,sensorType*hh
class MsgDATR : public TableSentence<MsgDATR> {
public:
    static constexpr FieldCount kCount = exactly(11);
    static std::span<const Field<MsgDATR>> fields();

    MsgDATR();
    MsgDATR(float latitude, const QString& northOrSouth, float longitude, const QString& eastOrWest,
            const QString& utcOfData, float sog, float cog, float depthMode,
            int nCurrentSeaCalibLeg, int nCurrentSeaCalibDistance, int sensorType);

    SENTENCE_FIELD(float, latitude, setLatitude)
    SENTENCE_FIELD(QString, northOrSouth, setNorthOrSouth)
    SENTENCE_FIELD(float, longitude, setLongitude)
    SENTENCE_FIELD(QString, eastOrWest, setEastOrWest)
    SENTENCE_FIELD(QString, utcOfData, setUtcOfData)
    SENTENCE_FIELD(float, sog, setSog)
    SENTENCE_FIELD(float, cog, setCog)
    SENTENCE_FIELD(float, depthMode, setDepthMode)
    SENTENCE_FIELD(int, nCurrentSeaCalibLeg, setNCurrentSeaCalibLeg)
    SENTENCE_FIELD(int, nCurrentSeaCalibDistance, setNCurrentSeaCalibDistance)
    SENTENCE_FIELD(int, sensorType, setSensorType)
};
