#include "msgdatr.h"

MsgDATR::MsgDATR() : TableSentence(QStringLiteral("DATR")) {
    initProprietary();
}

MsgDATR::MsgDATR(float latitude, const QString& northOrSouth, float longitude,
                 const QString& eastOrWest, const QString& utcOfData, float sog, float cog,
                 float depthMode, int nCurrentSeaCalibLeg, int nCurrentSeaCalibDistance,
                 int sensorType)
    : MsgDATR() {
    initForSending();
    m_latitude = latitude;
    m_northOrSouth = northOrSouth;
    m_longitude = longitude;
    m_eastOrWest = eastOrWest;
    m_utcOfData = utcOfData;
    m_sog = sog;
    m_cog = cog;
    m_depthMode = depthMode;
    m_nCurrentSeaCalibLeg = nCurrentSeaCalibLeg;
    m_nCurrentSeaCalibDistance = nCurrentSeaCalibDistance;
    m_sensorType = sensorType;
}

std::span<const Field<MsgDATR>> MsgDATR::fields() {
    static constexpr Field<MsgDATR> table[] = {
        {"latitude", &MsgDATR::m_latitude, fmt::flt(2)},
        {"northOrSouth", &MsgDATR::m_northOrSouth, fmt::text()},
        {"longitude", &MsgDATR::m_longitude, fmt::flt(2)},
        {"eastOrWest", &MsgDATR::m_eastOrWest, fmt::text()},
        {"utcOfData", &MsgDATR::m_utcOfData, fmt::text()},
        {"sog", &MsgDATR::m_sog, fmt::flt(1)},
        {"cog", &MsgDATR::m_cog, fmt::flt(1)},
        {"depthMode", &MsgDATR::m_depthMode, fmt::flt(1)},
        {"nCurrentSeaCalibLeg", &MsgDATR::m_nCurrentSeaCalibLeg, fmt::integer()},
        {"nCurrentSeaCalibDistance", &MsgDATR::m_nCurrentSeaCalibDistance, fmt::integer()},
        {"sensorType", &MsgDATR::m_sensorType, fmt::integer()},
    };
    return table;
}
