#include "msgztg.h"

MsgZTG::MsgZTG() : TableSentence(QStringLiteral("ZTG")) {}

MsgZTG::MsgZTG(const QString& time, const QString& timeToGo, const QString& destinationWaypointID)
    : MsgZTG() {
    initForSending();
    m_time = time;
    m_timeToGo = timeToGo;
    m_destinationWaypointID = destinationWaypointID;
}

std::span<const Field<MsgZTG>> MsgZTG::fields() {
    static constexpr Field<MsgZTG> table[] = {
        {"time", &MsgZTG::m_time, fmt::text()},
        {"timeToGo", &MsgZTG::m_timeToGo, fmt::text()},
        {"destinationWaypointID", &MsgZTG::m_destinationWaypointID, fmt::text()},
    };
    return table;
}
