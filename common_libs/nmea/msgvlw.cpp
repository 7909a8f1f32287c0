#include "msgvlw.h"

MsgVLW::MsgVLW() : TableSentence(QStringLiteral("VLW")) {}

MsgVLW::MsgVLW(float totCumulativeWaterDist, const QString& totCumulativeWaterDistUnit,
               float waterDistSinceReset, const QString& waterDistSinceResetUnit,
               float totCumulativeGroundDist, const QString& totCumulativeGroundDistUnit,
               float groundDistSinceReset, const QString& groundDistSinceResetUnit)
    : MsgVLW() {
    initForSending();
    m_totCumulativeWaterDist = totCumulativeWaterDist;
    m_totCumulativeWaterDistUnit = totCumulativeWaterDistUnit;
    m_waterDistSinceReset = waterDistSinceReset;
    m_waterDistSinceResetUnit = waterDistSinceResetUnit;
    m_totCumulativeGroundDist = totCumulativeGroundDist;
    m_totCumulativeGroundDistUnit = totCumulativeGroundDistUnit;
    m_groundDistSinceReset = groundDistSinceReset;
    m_groundDistSinceResetUnit = groundDistSinceResetUnit;
}

std::span<const Field<MsgVLW>> MsgVLW::fields() {
    static constexpr Field<MsgVLW> table[] = {
        {"totCumulativeWaterDist", &MsgVLW::m_totCumulativeWaterDist, fmt::fltDec()},
        {"totCumulativeWaterDistUnit", &MsgVLW::m_totCumulativeWaterDistUnit, fmt::text()},
        {"waterDistSinceReset", &MsgVLW::m_waterDistSinceReset, fmt::fltDec()},
        {"waterDistSinceResetUnit", &MsgVLW::m_waterDistSinceResetUnit, fmt::text()},
        {"totCumulativeGroundDist", &MsgVLW::m_totCumulativeGroundDist, fmt::fltDec()},
        {"totCumulativeGroundDistUnit", &MsgVLW::m_totCumulativeGroundDistUnit, fmt::text()},
        {"groundDistSinceReset", &MsgVLW::m_groundDistSinceReset, fmt::fltDec()},
        {"groundDistSinceResetUnit", &MsgVLW::m_groundDistSinceResetUnit, fmt::text()},
    };
    return table;
}
