#include "msgepv.h"

MsgEPV::MsgEPV() : TableSentence(QStringLiteral("EPV")) {}

MsgEPV::MsgEPV(const QString& equipmType, const QString& uniqueIdentif, int properNameIdentif,
               const QString& properValue)
    : MsgEPV() {
    initForSending();
    m_equipmType = equipmType;
    m_uniqueIdentif = uniqueIdentif;
    m_properNameIdentif = properNameIdentif;
    m_properValue = properValue;
    m_sentenceStatusFlag = QStringLiteral("R");
}

std::span<const Field<MsgEPV>> MsgEPV::fields() {
    static constexpr Field<MsgEPV> table[] = {
        {"sentenceStatusFlag", &MsgEPV::m_sentenceStatusFlag, fmt::text()},
        {"equipmType", &MsgEPV::m_equipmType, fmt::text()},
        {"uniqueIdentif", &MsgEPV::m_uniqueIdentif, fmt::text()},
        {"properNameIdentif", &MsgEPV::m_properNameIdentif, fmt::integer()},
        {"properValue", &MsgEPV::m_properValue, fmt::text()},
    };
    return table;
}

bool MsgEPV::setParams(const QStringList& params) {
    return (TableSentence::setParams(params) && isOneOf(m_sentenceStatusFlag, {"C", "R"})) ||
           reject();
}
