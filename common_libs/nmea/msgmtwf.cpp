#include "msgmtwf.h"

MsgMTWF::MsgMTWF() : TableSentence(QStringLiteral("MTWF")) {
    initProprietary();
}

MsgMTWF::MsgMTWF(float temperature, const QString& centigrade) : MsgMTWF() {
    initForSending();
    m_temperature = temperature;
    m_centigrade = centigrade;
}

std::span<const Field<MsgMTWF>> MsgMTWF::fields() {
    static constexpr Field<MsgMTWF> table[] = {
        {"temperature", &MsgMTWF::m_temperature, fmt::flt(1)},
        {"centigrade", &MsgMTWF::m_centigrade, fmt::text()},
    };
    return table;
}
