#include "msgerrorcode.h"

MsgERRORCODE::MsgERRORCODE() : TableSentence(QStringLiteral("ERRORCODE")) {
    initProprietary();
}

MsgERRORCODE::MsgERRORCODE(quint32 errorCode, quint32 errorCount) : MsgERRORCODE() {
    initForSending();
    m_errorCode = errorCode;
    m_errorCount = errorCount;
}

std::span<const Field<MsgERRORCODE>> MsgERRORCODE::fields() {
    static constexpr Field<MsgERRORCODE> table[] = {
        {"errorCode", &MsgERRORCODE::m_errorCode, fmt::ulong()},
        {"errorCount", &MsgERRORCODE::m_errorCount, fmt::ulong()},
    };
    return table;
}
