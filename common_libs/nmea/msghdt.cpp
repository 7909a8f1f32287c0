#include "msghdt.h"

MsgHDT::MsgHDT() : TableSentence(QStringLiteral("HDT")) {}

MsgHDT::MsgHDT(float headingDegrees, const QString& statusTrue) : MsgHDT() {
    initForSending();
    m_headingDegrees = headingDegrees;
    m_statusTrue = statusTrue;
}

std::span<const Field<MsgHDT>> MsgHDT::fields() {
    static constexpr Field<MsgHDT> table[] = {
        {"headingDegrees", &MsgHDT::m_headingDegrees, fmt::flt(1)},
        {"statusTrue", &MsgHDT::m_statusTrue, fmt::text()},
    };
    return table;
}
