#include "msgslp.h"

MsgSLP::MsgSLP() : TableSentence(QStringLiteral("SLP")) {
    initProprietary();
}

MsgSLP::MsgSLP(const QString& targetSFI, bool setToSleep) : MsgSLP() {
    initForSending();
    m_targetSFI = targetSFI;
    m_setToSleep = setToSleep;
}

std::span<const Field<MsgSLP>> MsgSLP::fields() {
    static constexpr Field<MsgSLP> table[] = {
        {"targetSFI", &MsgSLP::m_targetSFI, fmt::text()},
        {"setToSleep", &MsgSLP::m_setToSleep, fmt::flag()},
    };
    return table;
}
