#include "msgrot.h"

MsgROT::MsgROT() : TableSentence(QStringLiteral("ROT")) {}

MsgROT::MsgROT(float rateOfTurn, const QString& status) : MsgROT() {
    initForSending();
    m_rateOfTurn = rateOfTurn;
    m_status = status;
}

std::span<const Field<MsgROT>> MsgROT::fields() {
    static constexpr Field<MsgROT> table[] = {
        {"rateOfTurn", &MsgROT::m_rateOfTurn, fmt::flt(1)},
        {"status", &MsgROT::m_status, fmt::text()},
    };
    return table;
}
