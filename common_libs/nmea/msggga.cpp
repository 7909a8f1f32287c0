#include "msggga.h"

MsgGGA::MsgGGA() : TableSentence(QStringLiteral("GGA")) {}

MsgGGA::MsgGGA(const QString& time, float latitude, const QString& northOrSouth, float longitude,
               const QString& eastOrWest, int gpsQualityIndicator, int nrOfSatellitesInView,
               float horDilPrecision, float antennaAltitude, const QString& unitsOfAntAlt,
               float geoidalseparation, const QString& unitsOfGeoidals, float ageOfGpsData,
               int difRefStationID)
    : MsgGGA() {
    initForSending();
    m_time = time;
    m_latitude = latitude;
    m_northOrSouth = northOrSouth;
    m_longitude = longitude;
    m_eastOrWest = eastOrWest;
    m_gpsQualityIndicator = gpsQualityIndicator;
    m_nrOfSatellitesInView = nrOfSatellitesInView;
    m_horDilPrecision = horDilPrecision;
    m_antennaAltitude = antennaAltitude;
    m_unitsOfAntAlt = unitsOfAntAlt;
    m_geoidalseparation = geoidalseparation;
    m_unitsOfGeoidals = unitsOfGeoidals;
    m_ageOfGpsData = ageOfGpsData;
    m_difRefStationID = difRefStationID;
}

std::span<const Field<MsgGGA>> MsgGGA::fields() {
    static constexpr Field<MsgGGA> table[] = {
        {"time", &MsgGGA::m_time, fmt::text()},
        {"latitude", &MsgGGA::m_latitude, fmt::flt(2)},
        {"northOrSouth", &MsgGGA::m_northOrSouth, fmt::text()},
        {"longitude", &MsgGGA::m_longitude, fmt::flt(2)},
        {"eastOrWest", &MsgGGA::m_eastOrWest, fmt::text()},
        {"gpsQualityIndicator", &MsgGGA::m_gpsQualityIndicator, fmt::integer()},
        {"nrOfSatellitesInView", &MsgGGA::m_nrOfSatellitesInView, fmt::integer()},
        {"horDilPrecision", &MsgGGA::m_horDilPrecision, fmt::flt(1)},
        {"antennaAltitude", &MsgGGA::m_antennaAltitude, fmt::flt(1)},
        {"unitsOfAntAlt", &MsgGGA::m_unitsOfAntAlt, fmt::text()},
        {"geoidalseparation", &MsgGGA::m_geoidalseparation, fmt::flt(1)},
        {"unitsOfGeoidals", &MsgGGA::m_unitsOfGeoidals, fmt::text()},
        {"ageOfGpsData", &MsgGGA::m_ageOfGpsData, fmt::flt(1)},
        {"difRefStationID", &MsgGGA::m_difRefStationID, fmt::integer()},
    };
    return table;
}
