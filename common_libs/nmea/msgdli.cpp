#include "msgdli.h"

MsgDLI::MsgDLI() : TableSentence(QStringLiteral("DLI")) {
    initProprietary();
}

MsgDLI::MsgDLI(float total, float trip, int nDepthType, float frAxisDepthFwd_VQ2,
               float frAxisDepthAft_VQ2, float scAxisDepthFwd_VQ2, float scAxisDepthAft_VQ2,
               float depthAverage, float temperature, const QString& hours, const QString& minuts)
    : MsgDLI() {
    initForSending();
    m_total = total;
    m_trip = trip;
    m_nDepthType = nDepthType;
    m_frAxisDepthFwd_VQ2 = frAxisDepthFwd_VQ2;
    m_frAxisDepthAft_VQ2 = frAxisDepthAft_VQ2;
    m_scAxisDepthFwd_VQ2 = scAxisDepthFwd_VQ2;
    m_scAxisDepthAft_VQ2 = scAxisDepthAft_VQ2;
    m_depthAverage = depthAverage;
    m_temperature = temperature;
    m_hours = hours;
    m_minuts = minuts;
}

std::span<const Field<MsgDLI>> MsgDLI::fields() {
    static constexpr Field<MsgDLI> table[] = {
        {"total", &MsgDLI::m_total, fmt::flt(2)},
        {"trip", &MsgDLI::m_trip, fmt::flt(3)},
        {"nDepthType", &MsgDLI::m_nDepthType, fmt::integer()},
        {"frAxisDepthFwd_VQ2", &MsgDLI::m_frAxisDepthFwd_VQ2, fmt::flt(1)},
        {"frAxisDepthAft_VQ2", &MsgDLI::m_frAxisDepthAft_VQ2, fmt::flt(1)},
        {"scAxisDepthFwd_VQ2", &MsgDLI::m_scAxisDepthFwd_VQ2, fmt::flt(1)},
        {"scAxisDepthAft_VQ2", &MsgDLI::m_scAxisDepthAft_VQ2, fmt::flt(1)},
        {"depthAverage", &MsgDLI::m_depthAverage, fmt::flt(1)},
        {"temperature", &MsgDLI::m_temperature, fmt::flt(1)},
        {"hours", &MsgDLI::m_hours, fmt::text()},
        {"minuts", &MsgDLI::m_minuts, fmt::text()},
    };
    return table;
}
