#include "msgstl.h"

MsgSTL::MsgSTL() : TableSentence(QStringLiteral("STL")) {
    initProprietary();
}

MsgSTL::MsgSTL(float tripValue, float totalValue) : MsgSTL() {
    initForSending();
    m_tripValue = tripValue;
    m_totalValue = totalValue;
}

std::span<const Field<MsgSTL>> MsgSTL::fields() {
    static constexpr Field<MsgSTL> table[] = {
        {"tripValue", &MsgSTL::m_tripValue, fmt::flt(1)},
        {"totalValue", &MsgSTL::m_totalValue, fmt::flt(1)},
    };
    return table;
}
