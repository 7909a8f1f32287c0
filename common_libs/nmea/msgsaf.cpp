#include "msgsaf.h"

MsgSAF::MsgSAF() : TableSentence(QStringLiteral("SAF")) {
    initProprietary();
}

MsgSAF::MsgSAF(int outputFrom) : MsgSAF() {
    initForSending();
    m_outputFrom = outputFrom;
}

std::span<const Field<MsgSAF>> MsgSAF::fields() {
    static constexpr Field<MsgSAF> table[] = {
        {"outputFrom", &MsgSAF::m_outputFrom, fmt::integer()},
    };
    return table;
}
