#include "msghdg.h"

MsgHDG::MsgHDG() : TableSentence(QStringLiteral("HDG")) {}

MsgHDG::MsgHDG(float magneticSensorHeading, float magneticDeviation,
               const QString& magneticDeviationEW, float magneticVariation,
               const QString& magneticVariationEW)
    : MsgHDG() {
    initForSending();
    m_magneticSensorHeading = magneticSensorHeading;
    m_magneticDeviation = magneticDeviation;
    m_magneticDeviationEW = magneticDeviationEW;
    m_magneticVariation = magneticVariation;
    m_magneticVariationEW = magneticVariationEW;
}

std::span<const Field<MsgHDG>> MsgHDG::fields() {
    static constexpr Field<MsgHDG> table[] = {
        {"magneticSensorHeading", &MsgHDG::m_magneticSensorHeading, fmt::flt(1)},
        {"magneticDeviation", &MsgHDG::m_magneticDeviation, fmt::flt(1)},
        {"magneticDeviationEW", &MsgHDG::m_magneticDeviationEW, fmt::text()},
        {"magneticVariation", &MsgHDG::m_magneticVariation, fmt::flt(1)},
        {"magneticVariationEW", &MsgHDG::m_magneticVariationEW, fmt::text()},
    };
    return table;
}

bool MsgHDG::setParams(const QStringList& params) {
    return (TableSentence::setParams(params) && isOneOf(m_magneticDeviationEW, {"", "E", "W"}) &&
            isOneOf(m_magneticVariationEW, {"", "E", "W"})) ||
           reject();
}
