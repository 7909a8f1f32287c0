#pragma once

#include "msgvbw.h"

// VBW with the water speed of the older log added.
//   $PNRVVBWX,longitudinalWaterSpeed,transverseWaterSpeed,statusWaterSpeed,
//            longitudinalGroundSpeed,transverseGroundSpeed,statusGroundSpeed,
//            sternTransWaterSpeed,statusSternTransWaterSpeed,sternTransGroundSpeed,
//            statusSternTransGroundSpeed,speedToWaterVQ1,statusSpeedToWaterVQ1*hh
// VBW speeds with the configured decimals, the older log speed with one.
class MsgVBWX : public DualSpeedSentence<MsgVBWX> {
public:
    static constexpr FieldCount kCount = exactly(kDualSpeedFields + 2);
    static std::span<const Field<MsgVBWX>> fields();

    MsgVBWX();
    MsgVBWX(float longitudinalWaterSpeed, float transverseWaterSpeed,
            const QString& statusWaterSpeed, float longitudinalGroundSpeed,
            float transverseGroundSpeed, const QString& statusGroundSpeed,
            float sternTransWaterSpeed, const QString& statusSternTransWaterSpeed,
            float sternTransGroundSpeed, const QString& statusSternTransGroundSpeed,
            float speedToWaterVQ1, const QString& statusSpeedToWaterVQ1);

    SENTENCE_FIELD(float, speedToWaterVQ1, setSpeedToWaterVQ1)
    SENTENCE_FIELD(QString, statusSpeedToWaterVQ1, setStatusSpeedToWaterVQ1)
};
