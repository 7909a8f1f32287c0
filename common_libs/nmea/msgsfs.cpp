#include "msgsfs.h"

MsgSFS::MsgSFS() : TableSentence(QStringLiteral("SFS")) {
    initProprietary();
}

MsgSFS::MsgSFS(const QString& simCommand, float speedLong, float speedTrans) : MsgSFS() {
    initForSending();
    m_simCommand = simCommand;
    m_speedLong = speedLong;
    m_speedTrans = speedTrans;
}

std::span<const Field<MsgSFS>> MsgSFS::fields() {
    static constexpr Field<MsgSFS> table[] = {
        {"simCommand", &MsgSFS::m_simCommand, fmt::text()},
        {"speedLong", &MsgSFS::m_speedLong, fmt::flt(1)},
        {"speedTrans", &MsgSFS::m_speedTrans, fmt::flt(1)},
    };
    return table;
}
