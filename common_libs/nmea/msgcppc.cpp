#include "msgcppc.h"

MsgCPPC::MsgCPPC() : TableSentence(QStringLiteral("CPPC")) {
    initProprietary();
}

MsgCPPC::MsgCPPC(int systemAck) : MsgCPPC() {
    initForSending();
    m_systemAck = systemAck;
}

std::span<const Field<MsgCPPC>> MsgCPPC::fields() {
    static constexpr Field<MsgCPPC> table[] = {
        {"systemAck", &MsgCPPC::m_systemAck, fmt::integer()},
    };
    return table;
}
