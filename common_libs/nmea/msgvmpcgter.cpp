#include "msgvmpcgter.h"

MsgVMPCGTER::MsgVMPCGTER() : TableSentence(QStringLiteral("VMPCGTER")) {
    initProprietary();
}

MsgVMPCGTER::MsgVMPCGTER(int msgComand) : MsgVMPCGTER() {
    initForSending();
    m_msgComand = msgComand;
}

std::span<const Field<MsgVMPCGTER>> MsgVMPCGTER::fields() {
    static constexpr Field<MsgVMPCGTER> table[] = {
        {"msgComand", &MsgVMPCGTER::m_msgComand, fmt::integer()},
    };
    return table;
}
