#include "msgvhw.h"

MsgVHW::MsgVHW() : TableSentence(QStringLiteral("VHW")) {}

MsgVHW::MsgVHW(float degressTrue, const QString& typeDegressOne, float degressMagnetic,
               const QString& typeDegressTwo, float speedKnots, const QString& unitSpeedOne,
               float speedKilometers, const QString& unitSpeedTwo)
    : MsgVHW() {
    initForSending();
    m_degressTrue = degressTrue;
    m_typeDegressOne = typeDegressOne;
    m_degressMagnetic = degressMagnetic;
    m_typeDegressTwo = typeDegressTwo;
    m_speedKnots = speedKnots;
    m_unitSpeedOne = unitSpeedOne;
    m_speedKilometers = speedKilometers;
    m_unitSpeedTwo = unitSpeedTwo;
}

std::span<const Field<MsgVHW>> MsgVHW::fields() {
    static constexpr Field<MsgVHW> table[] = {
        {"degressTrue", &MsgVHW::m_degressTrue, fmt::flt(1)},
        {"typeDegressOne", &MsgVHW::m_typeDegressOne, fmt::text()},
        {"degressMagnetic", &MsgVHW::m_degressMagnetic, fmt::flt(1)},
        {"typeDegressTwo", &MsgVHW::m_typeDegressTwo, fmt::text()},
        {"speedKnots", &MsgVHW::m_speedKnots, fmt::fltDec()},
        {"unitSpeedOne", &MsgVHW::m_unitSpeedOne, fmt::text()},
        {"speedKilometers", &MsgVHW::m_speedKilometers, fmt::fltDec()},
        {"unitSpeedTwo", &MsgVHW::m_unitSpeedTwo, fmt::text()},
    };
    return table;
}
