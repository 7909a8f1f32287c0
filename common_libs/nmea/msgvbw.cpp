#include "msgvbw.h"

MsgVBW::MsgVBW() : TableSentence(QStringLiteral("VBW")) {}

MsgVBW::MsgVBW(float longitudinalWaterSpeed, float transverseWaterSpeed,
               const QString& statusWaterSpeed, float longitudinalGroundSpeed,
               float transverseGroundSpeed, const QString& statusGroundSpeed,
               float sternTransWaterSpeed, const QString& statusSternTransWaterSpeed,
               float sternTransGroundSpeed, const QString& statusSternTransGroundSpeed)
    : MsgVBW() {
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
}

std::span<const Field<MsgVBW>> MsgVBW::fields() {
    static constexpr Field<MsgVBW> table[] = {
        {"longitudinalWaterSpeed", &MsgVBW::m_longitudinalWaterSpeed, fmt::fltDec()},
        {"transverseWaterSpeed", &MsgVBW::m_transverseWaterSpeed, fmt::fltDec()},
        {"statusWaterSpeed", &MsgVBW::m_statusWaterSpeed, fmt::text()},
        {"longitudinalGroundSpeed", &MsgVBW::m_longitudinalGroundSpeed, fmt::fltDec()},
        {"transverseGroundSpeed", &MsgVBW::m_transverseGroundSpeed, fmt::fltDec()},
        {"statusGroundSpeed", &MsgVBW::m_statusGroundSpeed, fmt::text()},
        {"sternTransWaterSpeed", &MsgVBW::m_sternTransWaterSpeed, fmt::fltDec()},
        {"statusSternTransWaterSpeed", &MsgVBW::m_statusSternTransWaterSpeed, fmt::text()},
        {"sternTransGroundSpeed", &MsgVBW::m_sternTransGroundSpeed, fmt::fltDec()},
        {"statusSternTransGroundSpeed", &MsgVBW::m_statusSternTransGroundSpeed, fmt::text()},
    };
    return table;
}
