#include "msgdlg.h"

MsgDLG::MsgDLG() : TableSentence(QStringLiteral("DLG")) {
    initProprietary();
}

MsgDLG::MsgDLG(float total_sog, float trip_sog, bool valTripSOG, bool valTotalSOG) : MsgDLG() {
    initForSending();
    m_total_sog = total_sog;
    m_trip_sog = trip_sog;
    m_valTripSOG = valTripSOG;
    m_valTotalSOG = valTotalSOG;
}

std::span<const Field<MsgDLG>> MsgDLG::fields() {
    static constexpr Field<MsgDLG> table[] = {
        {"total_sog", &MsgDLG::m_total_sog, fmt::flt(2)},
        {"trip_sog", &MsgDLG::m_trip_sog, fmt::flt(2)},
        {"valTripSOG", &MsgDLG::m_valTripSOG, fmt::flag()},
        {"valTotalSOG", &MsgDLG::m_valTotalSOG, fmt::flag()},
    };
    return table;
}
