#include "msgrmc.h"

MsgRMC::MsgRMC() : TableSentence(QStringLiteral("RMC")) {}

MsgRMC::MsgRMC(const QString& time, const QString& status, float latitude,
               const QString& northOrSouth, float longitude, const QString& eastOrWest,
               float speedOverGround, float courseOverGround, const QString& date,
               float magneticVariation, const QString& magVarEastOrWest,
               const QString& modeIndicator, const QString& navigationalStatus)
    : MsgRMC() {
    initForSending();
    m_time = time;
    m_status = status;
    m_latitude = latitude;
    m_northOrSouth = northOrSouth;
    m_longitude = longitude;
    m_eastOrWest = eastOrWest;
    m_speedOverGround = speedOverGround;
    m_courseOverGround = courseOverGround;
    m_date = date;
    m_magneticVariation = magneticVariation;
    m_magVarEastOrWest = magVarEastOrWest;
    m_modeIndicator = modeIndicator;
    m_navigationalStatus = navigationalStatus;
}

std::span<const Field<MsgRMC>> MsgRMC::fields() {
    static constexpr Field<MsgRMC> table[] = {
        {"time", &MsgRMC::m_time, fmt::text()},
        {"status", &MsgRMC::m_status, fmt::text()},
        {"latitude", &MsgRMC::m_latitude, fmt::flt(2)},
        {"northOrSouth", &MsgRMC::m_northOrSouth, fmt::text()},
        {"longitude", &MsgRMC::m_longitude, fmt::flt(2)},
        {"eastOrWest", &MsgRMC::m_eastOrWest, fmt::text()},
        {"speedOverGround", &MsgRMC::m_speedOverGround, fmt::flt(1)},
        {"courseOverGround", &MsgRMC::m_courseOverGround, fmt::flt(1)},
        {"date", &MsgRMC::m_date, fmt::text()},
        {"magneticVariation", &MsgRMC::m_magneticVariation, fmt::flt(1)},
        {"magVarEastOrWest", &MsgRMC::m_magVarEastOrWest, fmt::text()},
        {"modeIndicator", &MsgRMC::m_modeIndicator, fmt::text()},
        {"navigationalStatus", &MsgRMC::m_navigationalStatus, fmt::text()},
    };
    return table;
}
