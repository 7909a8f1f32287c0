#include "msgvtg.h"

MsgVTG::MsgVTG() : TableSentence(QStringLiteral("VTG")) {}

MsgVTG::MsgVTG(float trackDegresTrue, const QString& trueDegrees, float trackDegresMagnetic,
               const QString& magneticDegrees, float speedKnots, const QString& knots,
               float speedKilometers, const QString& kilometers, const QString& modeIndicator)
    : MsgVTG() {
    initForSending();
    m_trackDegresTrue = trackDegresTrue;
    m_trueDegrees = trueDegrees;
    m_trackDegresMagnetic = trackDegresMagnetic;
    m_magneticDegrees = magneticDegrees;
    m_speedKnots = speedKnots;
    m_knots = knots;
    m_speedKilometers = speedKilometers;
    m_kilometers = kilometers;
    m_modeIndicator = modeIndicator;
}

std::span<const Field<MsgVTG>> MsgVTG::fields() {
    static constexpr Field<MsgVTG> table[] = {
        {"trackDegresTrue", &MsgVTG::m_trackDegresTrue, fmt::flt(1)},
        {"trueDegrees", &MsgVTG::m_trueDegrees, fmt::text()},
        {"trackDegresMagnetic", &MsgVTG::m_trackDegresMagnetic, fmt::flt(1)},
        {"magneticDegrees", &MsgVTG::m_magneticDegrees, fmt::text()},
        {"speedKnots", &MsgVTG::m_speedKnots, fmt::flt(1)},
        {"knots", &MsgVTG::m_knots, fmt::text()},
        {"speedKilometers", &MsgVTG::m_speedKilometers, fmt::flt(1)},
        {"kilometers", &MsgVTG::m_kilometers, fmt::text()},
        {"modeIndicator", &MsgVTG::m_modeIndicator, fmt::text()},
    };
    return table;
}
