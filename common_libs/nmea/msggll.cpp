#include "msggll.h"

MsgGLL::MsgGLL() : TableSentence(QStringLiteral("GLL")) {}

MsgGLL::MsgGLL(float latitude, const QString& northOrSouth, float longitude,
               const QString& eastOrWest, const QString& utcOfPosition, const QString& status,
               const QString& modeIndicator)
    : MsgGLL() {
    initForSending();
    m_latitude = latitude;
    m_northOrSouth = northOrSouth;
    m_longitude = longitude;
    m_eastOrWest = eastOrWest;
    m_utcOfPosition = utcOfPosition;
    m_status = status;
    m_modeIndicator = modeIndicator;
}

std::span<const Field<MsgGLL>> MsgGLL::fields() {
    static constexpr Field<MsgGLL> table[] = {
        {"latitude", &MsgGLL::m_latitude, fmt::flt(2)},
        {"northOrSouth", &MsgGLL::m_northOrSouth, fmt::text()},
        {"longitude", &MsgGLL::m_longitude, fmt::flt(2)},
        {"eastOrWest", &MsgGLL::m_eastOrWest, fmt::text()},
        {"utcOfPosition", &MsgGLL::m_utcOfPosition, fmt::text()},
        {"status", &MsgGLL::m_status, fmt::text()},
        {"modeIndicator", &MsgGLL::m_modeIndicator, fmt::text()},
    };
    return table;
}
