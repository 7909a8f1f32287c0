#include "msgcfg.h"

namespace {
constexpr qsizetype kShortAnswer = 2;
constexpr std::size_t kWritten = 6;
} // namespace

MsgCFG::MsgCFG() : TableSentence(QStringLiteral("CFG")) {
    initProprietary();
}

MsgCFG::MsgCFG(int systemID, int mode, int wTrackPowLev, int wTrackPulseLen,
               quint32 wTrackRangeOffset, const QString& formats)
    : MsgCFG() {
    initForSending();
    m_systemID = systemID;
    m_mode = mode;
    m_wTrackPowLev = wTrackPowLev;
    m_wTrackPulseLen = wTrackPulseLen;
    m_wTrackRangeOffset = wTrackRangeOffset;
    m_formats = formats;
}

bool MsgCFG::setParams(const QStringList& params) {
    if (params.size() == kShortAnswer) {
        return readFields(*this, fields().first(kShortAnswer), params) || reject();
    }
    return TableSentence::setParams(params);
}

QStringList MsgCFG::buildFields() const {
    return writeFields(*this, fields().first(kWritten), m_number_of_decimals);
}

std::span<const Field<MsgCFG>> MsgCFG::fields() {
    static constexpr Field<MsgCFG> table[] = {
        {"systemID", &MsgCFG::m_systemID, fmt::integer()},
        {"mode", &MsgCFG::m_mode, fmt::integer()},
        {"wTrackPowLev", &MsgCFG::m_wTrackPowLev, fmt::integer()},
        {"wTrackPulseLen", &MsgCFG::m_wTrackPulseLen, fmt::integer()},
        {"wTrackRangeOffset", &MsgCFG::m_wTrackRangeOffset, fmt::ulongMin(2)},
        {"formats", &MsgCFG::m_formats, fmt::text()},
        {"bTrackPowLev", &MsgCFG::m_bTrackPowLev, fmt::integer()},
        {"bTrackPulseLen", &MsgCFG::m_bTrackPulseLen, fmt::integer()},
        {"bTrackRangeOffset", &MsgCFG::m_bTrackRangeOffset, fmt::integer()},
        {"pingMode", &MsgCFG::m_pingMode, fmt::integer()},
    };
    return table;
}
