#include "msgtam.h"

MsgTAM::MsgTAM() : TableSentence(QStringLiteral("TAM")) {}

MsgTAM::MsgTAM(int updateModeOn) : MsgTAM() {
    initForSending();
    m_updateModeOn = updateModeOn;
}

std::span<const Field<MsgTAM>> MsgTAM::fields() {
    static constexpr Field<MsgTAM> table[] = {
        {"updateModeOn", &MsgTAM::m_updateModeOn, fmt::integer()},
    };
    return table;
}
