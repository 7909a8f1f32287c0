#include "msgmtw.h"

MsgMTW::MsgMTW() : TableSentence(QStringLiteral("MTW")) {}

MsgMTW::MsgMTW(float waterTemperature, const QString& unitOfMeasurement) : MsgMTW() {
    initForSending();
    m_waterTemperature = waterTemperature;
    m_unitOfMeasurement = unitOfMeasurement;
}

std::span<const Field<MsgMTW>> MsgMTW::fields() {
    static constexpr Field<MsgMTW> table[] = {
        {"waterTemperature", &MsgMTW::m_waterTemperature, fmt::flt(1)},
        {"unitOfMeasurement", &MsgMTW::m_unitOfMeasurement, fmt::text()},
    };
    return table;
}
