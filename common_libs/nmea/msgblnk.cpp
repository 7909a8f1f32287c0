#include "msgblnk.h"

MsgBLNK::MsgBLNK() : TableSentence(QStringLiteral("BLNK")) {
    initProprietary();
}

MsgBLNK::MsgBLNK(int systemID, const QString& notUsed, const QString& pingOnOff) : MsgBLNK() {
    initForSending();
    m_systemID = systemID;
    m_notUsed = notUsed;
    m_pingOnOff = pingOnOff;
}

std::span<const Field<MsgBLNK>> MsgBLNK::fields() {
    static constexpr Field<MsgBLNK> table[] = {
        {"systemID", &MsgBLNK::m_systemID, fmt::integer()},
        {"notUsed", &MsgBLNK::m_notUsed, fmt::text()},
        {"pingOnOff", &MsgBLNK::m_pingOnOff, fmt::text()},
    };
    return table;
}

bool MsgBLNK::setParams(const QStringList& params) {
    return (TableSentence::setParams(params) && isOneOf(m_pingOnOff, {"ON", "OFF"})) || reject();
}
