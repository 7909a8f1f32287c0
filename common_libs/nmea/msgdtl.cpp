#include "msgdtl.h"

MsgDTL::MsgDTL() : TableSentence(QStringLiteral("DTL")) {
    initProprietary();
}

MsgDTL::MsgDTL(float sogGPS, float stwRes_MovAvg, float sogRes_MovAvg, float stwRes_MovAvgSlewLim,
               float sogRes_MovAvgSlewLim, float stwRes_ExpFilt, float sogRes_ExpFilt)
    : MsgDTL() {
    initForSending();
    m_sogGPS = sogGPS;
    m_stwRes_MovAvg = stwRes_MovAvg;
    m_sogRes_MovAvg = sogRes_MovAvg;
    m_stwRes_MovAvgSlewLim = stwRes_MovAvgSlewLim;
    m_sogRes_MovAvgSlewLim = sogRes_MovAvgSlewLim;
    m_stwRes_ExpFilt = stwRes_ExpFilt;
    m_sogRes_ExpFilt = sogRes_ExpFilt;
}

std::span<const Field<MsgDTL>> MsgDTL::fields() {
    static constexpr Field<MsgDTL> table[] = {
        {"sogGPS", &MsgDTL::m_sogGPS, fmt::flt(1)},
        {"stwRes_MovAvg", &MsgDTL::m_stwRes_MovAvg, fmt::flt(1)},
        {"sogRes_MovAvg", &MsgDTL::m_sogRes_MovAvg, fmt::flt(1)},
        {"stwRes_MovAvgSlewLim", &MsgDTL::m_stwRes_MovAvgSlewLim, fmt::flt(1)},
        {"sogRes_MovAvgSlewLim", &MsgDTL::m_sogRes_MovAvgSlewLim, fmt::flt(1)},
        {"stwRes_ExpFilt", &MsgDTL::m_stwRes_ExpFilt, fmt::flt(1)},
        {"sogRes_ExpFilt", &MsgDTL::m_sogRes_ExpFilt, fmt::flt(1)},
    };
    return table;
}
