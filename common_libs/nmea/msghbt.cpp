#include "msghbt.h"

MsgHBT::MsgHBT() : TableSentence(QStringLiteral("HBT")) {}

MsgHBT::MsgHBT(int nHeartBeatPeriod, const QString& strValid, int nHeartBeatCounter) : MsgHBT() {
    initForSending();
    m_nHeartBeatPeriod = nHeartBeatPeriod;
    m_strValid = strValid;
    m_nHeartBeatCounter = nHeartBeatCounter;
}

std::span<const Field<MsgHBT>> MsgHBT::fields() {
    static constexpr Field<MsgHBT> table[] = {
        {"nHeartBeatPeriod", &MsgHBT::m_nHeartBeatPeriod, fmt::integer()},
        {"strValid", &MsgHBT::m_strValid, fmt::text()},
        {"nHeartBeatCounter", &MsgHBT::m_nHeartBeatCounter, fmt::integer()},
    };
    return table;
}

bool MsgHBT::setParams(const QStringList& params) {
    return (TableSentence::setParams(params) && isOneOf(m_strValid, {"A", "V"})) || reject();
}
