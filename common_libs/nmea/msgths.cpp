#include "msgths.h"

MsgTHS::MsgTHS() : TableSentence(QStringLiteral("THS")) {}

MsgTHS::MsgTHS(float headingDegrees, const QString& modeIndicator) : MsgTHS() {
    initForSending();
    m_headingDegrees = headingDegrees;
    m_modeIndicator = modeIndicator;
}

std::span<const Field<MsgTHS>> MsgTHS::fields() {
    static constexpr Field<MsgTHS> table[] = {
        {"headingDegrees", &MsgTHS::m_headingDegrees, fmt::flt(1)},
        {"modeIndicator", &MsgTHS::m_modeIndicator, fmt::text()},
    };
    return table;
}
