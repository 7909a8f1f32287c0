#include "msgack.h"

MsgACK::MsgACK() : TableSentence(QStringLiteral("ACK")) {}

MsgACK::MsgACK(int uniqueAlarmNumber) : MsgACK() {
    initForSending();
    m_uniqueAlarmNumber = uniqueAlarmNumber;
}

std::span<const Field<MsgACK>> MsgACK::fields() {
    static constexpr Field<MsgACK> table[] = {
        {"uniqueAlarmNumber", &MsgACK::m_uniqueAlarmNumber, fmt::integer()},
    };
    return table;
}
