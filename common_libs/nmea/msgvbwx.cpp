#include "msgvbwx.h"

MsgVBWX::MsgVBWX() : TableSentence(QStringLiteral("VBWX")) {
    initProprietary();
}

MsgVBWX::MsgVBWX(float longitudinalWaterSpeed, float transverseWaterSpeed,
                 const QString& statusWaterSpeed, float longitudinalGroundSpeed,
                 float transverseGroundSpeed, const QString& statusGroundSpeed,
                 float sternTransWaterSpeed, const QString& statusSternTransWaterSpeed,
                 float sternTransGroundSpeed, const QString& statusSternTransGroundSpeed,
                 float speedToWaterVQ1, const QString& statusSpeedToWaterVQ1)
    : MsgVBWX() {
    initForSending();
    m_longitudinalWaterSpeed = longitudinalWaterSpeed;
    m_transverseWaterSpeed = transverseWaterSpeed;
    m_statusWaterSpeed = statusWaterSpeed;
    m_longitudinalGroundSpeed = longitudinalGroundSpeed;
    m_transverseGroundSpeed = transverseGroundSpeed;
    m_statusGroundSpeed = statusGroundSpeed;
    m_sternTransWaterSpeed = sternTransWaterSpeed;
    m_statusSternTransWaterSpeed = statusSternTransWaterSpeed;
    m_sternTransGroundSpeed = sternTransGroundSpeed;
    m_statusSternTransGroundSpeed = statusSternTransGroundSpeed;
    m_speedToWaterVQ1 = speedToWaterVQ1;
    m_statusSpeedToWaterVQ1 = statusSpeedToWaterVQ1;
}

std::span<const Field<MsgVBWX>> MsgVBWX::fields() {
    static constexpr Field<MsgVBWX> table[] = {
        {"longitudinalWaterSpeed", &MsgVBWX::m_longitudinalWaterSpeed, fmt::fltDec()},
        {"transverseWaterSpeed", &MsgVBWX::m_transverseWaterSpeed, fmt::fltDec()},
        {"statusWaterSpeed", &MsgVBWX::m_statusWaterSpeed, fmt::text()},
        {"longitudinalGroundSpeed", &MsgVBWX::m_longitudinalGroundSpeed, fmt::fltDec()},
        {"transverseGroundSpeed", &MsgVBWX::m_transverseGroundSpeed, fmt::fltDec()},
        {"statusGroundSpeed", &MsgVBWX::m_statusGroundSpeed, fmt::text()},
        {"sternTransWaterSpeed", &MsgVBWX::m_sternTransWaterSpeed, fmt::fltDec()},
        {"statusSternTransWaterSpeed", &MsgVBWX::m_statusSternTransWaterSpeed, fmt::text()},
        {"sternTransGroundSpeed", &MsgVBWX::m_sternTransGroundSpeed, fmt::fltDec()},
        {"statusSternTransGroundSpeed", &MsgVBWX::m_statusSternTransGroundSpeed, fmt::text()},
        {"speedToWaterVQ1", &MsgVBWX::m_speedToWaterVQ1, fmt::flt(1)},
        {"statusSpeedToWaterVQ1", &MsgVBWX::m_statusSpeedToWaterVQ1, fmt::text()},
    };
    return table;
}
