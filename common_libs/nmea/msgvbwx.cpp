#include "msgvbwx.h"

MsgVBWX::MsgVBWX() : DualSpeedSentence(QStringLiteral("VBWX")) {
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
    setDualSpeeds(longitudinalWaterSpeed, transverseWaterSpeed, statusWaterSpeed,
                  longitudinalGroundSpeed, transverseGroundSpeed, statusGroundSpeed,
                  sternTransWaterSpeed, statusSternTransWaterSpeed, sternTransGroundSpeed,
                  statusSternTransGroundSpeed);
    m_speedToWaterVQ1 = speedToWaterVQ1;
    m_statusSpeedToWaterVQ1 = statusSpeedToWaterVQ1;
}

std::span<const Field<MsgVBWX>> MsgVBWX::fields() {
    static constexpr auto table = [] {
        std::array<Field<MsgVBWX>, kDualSpeedFields + 2> all{};
        const auto shared = dualSpeedFields();
        std::copy(shared.begin(), shared.end(), all.begin());
        all[kDualSpeedFields] = {"speedToWaterVQ1", &MsgVBWX::m_speedToWaterVQ1, fmt::flt(1)};
        all[kDualSpeedFields + 1] = {"statusSpeedToWaterVQ1", &MsgVBWX::m_statusSpeedToWaterVQ1,
                                     fmt::text()};
        return all;
    }();
    return table;
}
