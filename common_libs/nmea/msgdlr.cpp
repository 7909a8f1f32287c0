#include "msgdlr.h"

MsgDLR::MsgDLR() : TableSentence(QStringLiteral("DLR")) {
    initProprietary();
}

MsgDLR::MsgDLR(float longSpeedToWater_VQ2, float transSpeedToWater_VQ2, float resSpeedToWater_VQ2,
               float speedToWater_VQ2_Direction, float longSpeedToGround_VQ2,
               float transSpeedToGround_VQ2, float resSpeedToGround_VQ2,
               float speedToGround_VQ2_Direction, float speedToWater_VQ1, bool bUsedGPS,
               bool bWC_fromGPS)
    : MsgDLR() {
    initForSending();
    m_longSpeedToWater_VQ2 = longSpeedToWater_VQ2;
    m_transSpeedToWater_VQ2 = transSpeedToWater_VQ2;
    m_resSpeedToWater_VQ2 = resSpeedToWater_VQ2;
    m_speedToWater_VQ2_Direction = speedToWater_VQ2_Direction;
    m_longSpeedToGround_VQ2 = longSpeedToGround_VQ2;
    m_transSpeedToGround_VQ2 = transSpeedToGround_VQ2;
    m_resSpeedToGround_VQ2 = resSpeedToGround_VQ2;
    m_speedToGround_VQ2_Direction = speedToGround_VQ2_Direction;
    m_speedToWater_VQ1 = speedToWater_VQ1;
    m_bUsedGPS = bUsedGPS;
    m_bWC_fromGPS = bWC_fromGPS;
}

std::span<const Field<MsgDLR>> MsgDLR::fields() {
    static constexpr Field<MsgDLR> table[] = {
        {"longSpeedToWater_VQ2", &MsgDLR::m_longSpeedToWater_VQ2, fmt::flt(2)},
        {"transSpeedToWater_VQ2", &MsgDLR::m_transSpeedToWater_VQ2, fmt::flt(2)},
        {"resSpeedToWater_VQ2", &MsgDLR::m_resSpeedToWater_VQ2, fmt::flt(2)},
        {"speedToWater_VQ2_Direction", &MsgDLR::m_speedToWater_VQ2_Direction, fmt::flt(1)},
        {"longSpeedToGround_VQ2", &MsgDLR::m_longSpeedToGround_VQ2, fmt::flt(2)},
        {"transSpeedToGround_VQ2", &MsgDLR::m_transSpeedToGround_VQ2, fmt::flt(2)},
        {"resSpeedToGround_VQ2", &MsgDLR::m_resSpeedToGround_VQ2, fmt::flt(2)},
        {"speedToGround_VQ2_Direction", &MsgDLR::m_speedToGround_VQ2_Direction, fmt::flt(1)},
        {"speedToWater_VQ1", &MsgDLR::m_speedToWater_VQ1, fmt::flt(1)},
        {"bUsedGPS", &MsgDLR::m_bUsedGPS, fmt::flag()},
        {"bWC_fromGPS", &MsgDLR::m_bWC_fromGPS, fmt::flag()},
    };
    return table;
}
