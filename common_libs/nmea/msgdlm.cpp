#include "msgdlm.h"

MsgDLM::MsgDLM() : TableSentence(QStringLiteral("DLM")) {
    initProprietary();
}

MsgDLM::MsgDLM(float rateOfTurn, float headingTrue, float transAftSpeedToWater,
               float transAftSpeedToGround, float resCurrentSpeed, float currentDirection,
               int nDraftType, float gpsSog, float roll, float pitch, float gpsSogAngle)
    : MsgDLM() {
    initForSending();
    m_rateOfTurn = rateOfTurn;
    m_headingTrue = headingTrue;
    m_transAftSpeedToWater = transAftSpeedToWater;
    m_transAftSpeedToGround = transAftSpeedToGround;
    m_resCurrentSpeed = resCurrentSpeed;
    m_currentDirection = currentDirection;
    m_nDraftType = nDraftType;
    m_gpsSog = gpsSog;
    m_roll = roll;
    m_pitch = pitch;
    m_gpsSogAngle = gpsSogAngle;
}

std::span<const Field<MsgDLM>> MsgDLM::fields() {
    static constexpr Field<MsgDLM> table[] = {
        {"rateOfTurn", &MsgDLM::m_rateOfTurn, fmt::flt(1)},
        {"headingTrue", &MsgDLM::m_headingTrue, fmt::flt(1)},
        {"transAftSpeedToWater", &MsgDLM::m_transAftSpeedToWater, fmt::flt(2)},
        {"transAftSpeedToGround", &MsgDLM::m_transAftSpeedToGround, fmt::flt(2)},
        {"resCurrentSpeed", &MsgDLM::m_resCurrentSpeed, fmt::flt(2)},
        {"currentDirection", &MsgDLM::m_currentDirection, fmt::flt(1)},
        {"nDraftType", &MsgDLM::m_nDraftType, fmt::integer()},
        {"gpsSog", &MsgDLM::m_gpsSog, fmt::flt(1)},
        {"roll", &MsgDLM::m_roll, fmt::flt(1)},
        {"pitch", &MsgDLM::m_pitch, fmt::flt(1)},
        {"gpsSogAngle", &MsgDLM::m_gpsSogAngle, fmt::flt(1)},
    };
    return table;
}
