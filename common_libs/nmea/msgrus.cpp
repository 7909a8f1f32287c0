#include "msgrus.h"

MsgRUS::MsgRUS() : TableSentence(QStringLiteral("RUS")) {
    initProprietary();
}

MsgRUS::MsgRUS(quint32 reportType, quint32 reportValue, const QString& reportmessage) : MsgRUS() {
    initForSending();
    m_reportType = reportType;
    m_reportValue = reportValue;
    m_reportmessage = reportmessage;
}

std::span<const Field<MsgRUS>> MsgRUS::fields() {
    static constexpr Field<MsgRUS> table[] = {
        {"reportType", &MsgRUS::m_reportType, fmt::ulong()},
        {"reportValue", &MsgRUS::m_reportValue, fmt::ulong()},
        {"reportmessage", &MsgRUS::m_reportmessage, fmt::text()},
    };
    return table;
}
