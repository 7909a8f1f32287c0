#include "msgddc.h"

#include <algorithm>

MsgDDC::MsgDDC() : TableSentence(QStringLiteral("DDC")) {}

MsgDDC::MsgDDC(const QString& dispDimmPreset, int brightnes, const QString& coulorPalette,
               const QString& statusFlag)
    : MsgDDC() {
    initForSending();
    m_dispDimmPreset = dispDimmPreset;
    m_brightnes = brightnes;
    m_coulorPalette = coulorPalette;
    m_statusFlag = statusFlag;
}

bool MsgDDC::setParams(const QStringList& params) {
    if (!kCount.accepts(params.size())) {
        return reject();
    }
    // Read what is there, never past the last field received.
    const std::size_t present = std::min(fields().size(), static_cast<std::size_t>(params.size()));
    return readFields(*this, fields().first(present), params) || reject();
}

std::span<const Field<MsgDDC>> MsgDDC::fields() {
    static constexpr Field<MsgDDC> table[] = {
        {"dispDimmPreset", &MsgDDC::m_dispDimmPreset, fmt::text()},
        {"brightnes", &MsgDDC::m_brightnes, fmt::integer()},
        {"coulorPalette", &MsgDDC::m_coulorPalette, fmt::text()},
        {"statusFlag", &MsgDDC::m_statusFlag, fmt::text()},
    };
    return table;
}
