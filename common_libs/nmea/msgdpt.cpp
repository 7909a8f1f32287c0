#include "msgdpt.h"

MsgDPT::MsgDPT() : TableSentence(QStringLiteral("DPT")) {}

MsgDPT::MsgDPT(float waterDepth, float transducerOffset, float maximumDepth) : MsgDPT() {
    initForSending();
    m_waterDepth = waterDepth;
    m_transducerOffset = transducerOffset;
    m_maximumDepth = maximumDepth;
}

std::span<const Field<MsgDPT>> MsgDPT::fields() {
    static constexpr Field<MsgDPT> table[] = {
        {"waterDepth", &MsgDPT::m_waterDepth, fmt::flt(2)},
        {"transducerOffset", &MsgDPT::m_transducerOffset, fmt::flt(2)},
        {"maximumDepth", &MsgDPT::m_maximumDepth, fmt::flt(2)},
    };
    return table;
}
