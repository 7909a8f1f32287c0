#include "msgdptr.h"

MsgDPTR::MsgDPTR() : TableSentence(QStringLiteral("DPTR")) {
    initProprietary();
}

MsgDPTR::MsgDPTR(float depthII, float offsetII, float depthSD, float offsetSD,
                 const QString& utcOfData)
    : MsgDPTR() {
    initForSending();
    m_depthII = depthII;
    m_offsetII = offsetII;
    m_depthSD = depthSD;
    m_offsetSD = offsetSD;
    m_utcOfData = utcOfData;
}

std::span<const Field<MsgDPTR>> MsgDPTR::fields() {
    static constexpr Field<MsgDPTR> table[] = {
        {"depthII", &MsgDPTR::m_depthII, fmt::flt(1)},
        {"offsetII", &MsgDPTR::m_offsetII, fmt::flt(1)},
        {"depthSD", &MsgDPTR::m_depthSD, fmt::flt(1)},
        {"offsetSD", &MsgDPTR::m_offsetSD, fmt::flt(1)},
        {"utcOfData", &MsgDPTR::m_utcOfData, fmt::text()},
    };
    return table;
}
