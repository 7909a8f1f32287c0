#include "msgsrp.h"

MsgSRP::MsgSRP() : TableSentence(QStringLiteral("SRP")) {}

MsgSRP::MsgSRP(const QString& strMAC, const QString& strIP) : MsgSRP() {
    initForSending();
    m_instanceNo = 0;
    m_strMAC = strMAC;
    m_strIP = strIP;
}

std::span<const Field<MsgSRP>> MsgSRP::fields() {
    static constexpr Field<MsgSRP> table[] = {
        {"instanceNo", &MsgSRP::m_instanceNo, fmt::integer()},
        {"strMAC", &MsgSRP::m_strMAC, fmt::text()},
        {"strIP", &MsgSRP::m_strIP, fmt::text()},
    };
    return table;
}
