#include "msgzda.h"

MsgZDA::MsgZDA() : TableSentence(QStringLiteral("ZDA")) {}

MsgZDA::MsgZDA(const QString& time, int day, int month, int year, int localZoneHours,
               int LocalZoneMinutes)
    : MsgZDA() {
    initForSending();
    m_time = time;
    m_day = day;
    m_month = month;
    m_year = year;
    m_localZoneHours = localZoneHours;
    m_LocalZoneMinutes = LocalZoneMinutes;
}

std::span<const Field<MsgZDA>> MsgZDA::fields() {
    static constexpr Field<MsgZDA> table[] = {
        {"time", &MsgZDA::m_time, fmt::text()},
        {"day", &MsgZDA::m_day, fmt::intFixed(2)},
        {"month", &MsgZDA::m_month, fmt::intFixed(2)},
        {"year", &MsgZDA::m_year, fmt::integer()},
        {"localZoneHours", &MsgZDA::m_localZoneHours, fmt::intFixed(2)},
        {"LocalZoneMinutes", &MsgZDA::m_LocalZoneMinutes, fmt::intFixed(2)},
    };
    return table;
}
