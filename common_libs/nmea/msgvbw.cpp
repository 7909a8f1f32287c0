#include "msgvbw.h"

MsgVBW::MsgVBW() : DualSpeedSentence(QStringLiteral("VBW")) {}

MsgVBW::MsgVBW(float longitudinalWaterSpeed, float transverseWaterSpeed,
               const QString& statusWaterSpeed, float longitudinalGroundSpeed,
               float transverseGroundSpeed, const QString& statusGroundSpeed,
               float sternTransWaterSpeed, const QString& statusSternTransWaterSpeed,
               float sternTransGroundSpeed, const QString& statusSternTransGroundSpeed)
    : MsgVBW() {
    initForSending();
    setDualSpeeds(longitudinalWaterSpeed, transverseWaterSpeed, statusWaterSpeed,
                  longitudinalGroundSpeed, transverseGroundSpeed, statusGroundSpeed,
                  sternTransWaterSpeed, statusSternTransWaterSpeed, sternTransGroundSpeed,
                  statusSternTransGroundSpeed);
}

std::span<const Field<MsgVBW>> MsgVBW::fields() {
    static constexpr auto table = dualSpeedFields();
    return table;
}
