#pragma once

#include "sentencefields.h"

// Dual ground/water speed, full ten-field form (stern transverse speeds included).
//   $--VBW,longitudinalWaterSpeed,transverseWaterSpeed,statusWaterSpeed,
//         longitudinalGroundSpeed,transverseGroundSpeed,statusGroundSpeed,
//         sternTransWaterSpeed,statusSternTransWaterSpeed,
//         sternTransGroundSpeed,statusSternTransGroundSpeed*hh
// Speeds in knots with the configured decimals; statuses A valid, V invalid.
class MsgVBW : public TableSentence<MsgVBW> {
public:
    static constexpr FieldCount kCount = exactly(10);
    static std::span<const Field<MsgVBW>> fields();

    MsgVBW();
    MsgVBW(float longitudinalWaterSpeed, float transverseWaterSpeed,
           const QString& statusWaterSpeed, float longitudinalGroundSpeed,
           float transverseGroundSpeed, const QString& statusGroundSpeed,
           float sternTransWaterSpeed, const QString& statusSternTransWaterSpeed,
           float sternTransGroundSpeed, const QString& statusSternTransGroundSpeed);

    SENTENCE_FIELD(float, longitudinalWaterSpeed, setLongitudinalWaterSpeed)
    SENTENCE_FIELD(float, transverseWaterSpeed, setTransverseWaterSpeed)
    SENTENCE_FIELD(QString, statusWaterSpeed, setStatusWaterSpeed)
    SENTENCE_FIELD(float, longitudinalGroundSpeed, setLongitudinalGroundSpeed)
    SENTENCE_FIELD(float, transverseGroundSpeed, setTransverseGroundSpeed)
    SENTENCE_FIELD(QString, statusGroundSpeed, setStatusGroundSpeed)
    SENTENCE_FIELD(float, sternTransWaterSpeed, setSternTransWaterSpeed)
    SENTENCE_FIELD(QString, statusSternTransWaterSpeed, setStatusSternTransWaterSpeed)
    SENTENCE_FIELD(float, sternTransGroundSpeed, setSternTransGroundSpeed)
    SENTENCE_FIELD(QString, statusSternTransGroundSpeed, setStatusSternTransGroundSpeed)
};
