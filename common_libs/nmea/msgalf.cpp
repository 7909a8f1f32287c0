#include "msgalf.h"

MsgALF::MsgALF() : TableSentence(QStringLiteral("ALF")) {}

MsgALF::MsgALF(int totalNumberOfSentences, int sentenceNumber, int sequentialMessageIdentifier,
               const QString& timeOfLastChange, const QString& alertCategory,
               const QString& alertPriority, const QString& alertState,
               const QString& manufacturerMnemonicCode, quint32 alertIdentifier,
               quint32 alertInstance, int revisionCounter, int escalationCounter,
               const QString& text)
    : MsgALF() {
    initForSending();
    m_totalNumberOfSentences = totalNumberOfSentences;
    m_sentenceNumber = sentenceNumber;
    m_sequentialMessageIdentifier = sequentialMessageIdentifier;
    m_timeOfLastChange = timeOfLastChange;
    m_alertCategory = alertCategory;
    m_alertPriority = alertPriority;
    m_alertState = alertState;
    m_manufacturerMnemonicCode = manufacturerMnemonicCode;
    m_alertIdentifier = alertIdentifier;
    m_alertInstance = alertInstance;
    m_revisionCounter = revisionCounter;
    m_escalationCounter = escalationCounter;
    lastField() = text;
}

bool MsgALF::setParams(const QStringList& params) {
    if (!kCount.accepts(params.size()) || !readFields(*this, fields(), params)) {
        return reject();
    }
    lastField() = params.last();
    return true;
}

QStringList MsgALF::buildFields() const {
    return TableSentence::buildFields()
           << sanitizedText(carriesText() ? m_alertText : m_alertDescription);
}

QList<NamedValue> MsgALF::fieldValues() const {
    return TableSentence::fieldValues()
           << (carriesText() ? NamedValue{QStringLiteral("alertText"), m_alertText}
                             : NamedValue{QStringLiteral("alertDescription"), m_alertDescription});
}

std::span<const Field<MsgALF>> MsgALF::fields() {
    static constexpr Field<MsgALF> table[] = {
        {"totalNumberOfSentences", &MsgALF::m_totalNumberOfSentences, fmt::integer()},
        {"sentenceNumber", &MsgALF::m_sentenceNumber, fmt::integer()},
        {"sequentialMessageIdentifier", &MsgALF::m_sequentialMessageIdentifier, fmt::integer()},
        {"timeOfLastChange", &MsgALF::m_timeOfLastChange, fmt::text()},
        {"alertCategory", &MsgALF::m_alertCategory, fmt::text()},
        {"alertPriority", &MsgALF::m_alertPriority, fmt::text()},
        {"alertState", &MsgALF::m_alertState, fmt::text()},
        {"manufacturerMnemonicCode", &MsgALF::m_manufacturerMnemonicCode, fmt::text()},
        {"alertIdentifier", &MsgALF::m_alertIdentifier, fmt::ulongMin(3)},
        {"alertInstance", &MsgALF::m_alertInstance, fmt::ulong()},
        {"revisionCounter", &MsgALF::m_revisionCounter, fmt::integer()},
        {"escalationCounter", &MsgALF::m_escalationCounter, fmt::integer()},
    };
    return table;
}
