#include "msginfo.h"

MsgINFO::MsgINFO() : TableSentence(QStringLiteral("INFO")) {
    initProprietary();
}

MsgINFO::MsgINFO(int systemID, const QString& information) : MsgINFO() {
    initForSending();
    m_systemID = systemID;
    m_information = information;
}

std::span<const Field<MsgINFO>> MsgINFO::fields() {
    static constexpr Field<MsgINFO> table[] = {
        {"systemID", &MsgINFO::m_systemID, fmt::integer()},
        {"information", &MsgINFO::m_information, fmt::text()},
    };
    return table;
}
