#include "msgtst.h"

namespace {
constexpr qsizetype kShortForm = 2;

bool isOutputMask(const QString& mask) {
    for (const QChar c : mask) {
        if (c != QLatin1Char('0') && c != QLatin1Char('1')) {
            return false;
        }
    }
    return true;
}
} // namespace

MsgTST::MsgTST() : TableSentence(QStringLiteral("TST")) {
    initProprietary();
}

MsgTST::MsgTST(int systemID, int onOff, float requiredSpeed, const QString& formatToReturn,
               const QString& outputsEnabled)
    : MsgTST() {
    initForSending();
    m_systemID = systemID;
    m_onOff = onOff;
    m_requiredSpeed = requiredSpeed;
    m_formatToReturn = formatToReturn;
    m_outputsEnabled = outputsEnabled;
}

bool MsgTST::setParams(const QStringList& params) {
    if (params.size() == kShortForm) {
        m_requiredSpeed = 0.0f;
        m_formatToReturn.clear();
        m_outputsEnabled = QStringLiteral("0000");
        return readFields(*this, fields().first(kShortForm), params) || reject();
    }
    return (TableSentence::setParams(params) && isOutputMask(m_outputsEnabled)) || reject();
}

std::span<const Field<MsgTST>> MsgTST::fields() {
    static constexpr Field<MsgTST> table[] = {
        {"systemID", &MsgTST::m_systemID, fmt::integer()},
        {"onOff", &MsgTST::m_onOff, fmt::integer()},
        {"requiredSpeed", &MsgTST::m_requiredSpeed, fmt::fixedSigned(2, 1)},
        {"formatToReturn", &MsgTST::m_formatToReturn, fmt::text()},
        {"outputsEnabled", &MsgTST::m_outputsEnabled, fmt::text()},
    };
    return table;
}
