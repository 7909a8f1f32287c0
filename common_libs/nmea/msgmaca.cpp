#include "msgmaca.h"

MsgMACA::MsgMACA() : TableSentence(QStringLiteral("MACA")) {
    initProprietary();
}

MsgMACA::MsgMACA(const QString& macAddress) : MsgMACA() {
    initForSending();
    m_macAddress = macAddress;
}

bool MsgMACA::setParams(const QStringList& params) {
    m_macAddress = params.value(0);
    return true;
}

std::span<const Field<MsgMACA>> MsgMACA::fields() {
    static constexpr Field<MsgMACA> table[] = {
        {"macAddress", &MsgMACA::m_macAddress, fmt::text()},
    };
    return table;
}
