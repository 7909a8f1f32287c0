#include "msgmwv.h"

MsgMwv::MsgMwv() : TableSentence(QStringLiteral("MWV")) {}

MsgMwv::MsgMwv(float windAngle, const QString& windReferance, float windSpeed,
               const QString& windUnits, const QString& status)
    : MsgMwv() {
    initForSending();
    m_windAngle = windAngle;
    m_windReferance = windReferance;
    m_windSpeed = windSpeed;
    m_windUnits = windUnits;
    m_status = status;
}

std::span<const Field<MsgMwv>> MsgMwv::fields() {
    static constexpr Field<MsgMwv> table[] = {
        {"windAngle", &MsgMwv::m_windAngle, fmt::flt(1)},
        {"windReferance", &MsgMwv::m_windReferance, fmt::text()},
        {"windSpeed", &MsgMwv::m_windSpeed, fmt::flt(1)},
        {"windUnits", &MsgMwv::m_windUnits, fmt::text()},
        {"status", &MsgMwv::m_status, fmt::text()},
    };
    return table;
}
