#include "msgalc.h"

#include "nmeaparser.h"
#include "sentencefields.h"

namespace {
// "$" + body + "*hh" + CR LF must stay within the 82 characters of a sentence.
constexpr qsizetype kMaxBody = 82 - 1 - 3 - 2;

QString twoDigits(int value) {
    return NmeaParser::IntToString_FixedLength(value, 2, '0');
}
} // namespace

MsgSingleALC::MsgSingleALC(const QString& manufacturerMnemonicCode, int alertIdendtifyer,
                           int alertInstance, int revisionCounter)
    : m_manufacturerMnemonicCode(manufacturerMnemonicCode), m_alertIdendtifyer(alertIdendtifyer),
      m_alertInstance(alertInstance), m_revisionCounter(revisionCounter) {}

QString MsgSingleALC::getEntryBuffer() const {
    return QStringList{
        sanitizedText(m_manufacturerMnemonicCode), NmeaParser::NumberToString(m_alertIdendtifyer),
        NmeaParser::NumberToString(m_alertInstance), NmeaParser::NumberToString(m_revisionCounter)}
        .join(QLatin1Char(','));
}

MsgALC::MsgALC() : ClonableMessage(QStringLiteral("ALC")) {
    initForSending();
}

void MsgALC::addSentence(const MsgSingleALC& entry) {
    m_sentenceList.append(entry);
    ++m_totalNumberOfSentences;
    m_message.clear();
}

void MsgALC::setSequentialIdentifier(int identifier) {
    m_sequentialIdentifier = identifier;
    m_message.clear();
}

QString MsgALC::body(int total, int number, const QStringList& entries) const {
    QString text = address() + QLatin1Char(',') + twoDigits(total) + QLatin1Char(',') +
                   twoDigits(number) + QLatin1Char(',') + twoDigits(m_sequentialIdentifier) +
                   QLatin1Char(',') + QString::number(entries.size());
    for (const QString& entry : entries) {
        text += QLatin1Char(',') + entry;
    }
    return text;
}

QStringList MsgALC::sentences() const {
    // Pack the entries greedily; a single entry too long to share stays alone in its sentence.
    QList<QStringList> groups{{}};
    for (const MsgSingleALC& entry : m_sentenceList) {
        QStringList candidate = groups.last();
        candidate.append(entry.getEntryBuffer());
        if (body(1, 1, candidate).size() > kMaxBody && !groups.last().isEmpty()) {
            groups.append({entry.getEntryBuffer()});
        } else {
            groups.last() = candidate;
        }
    }
    QStringList result;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        result << addCrcToMsgBuffer(
            body(static_cast<int>(groups.size()), static_cast<int>(i + 1), groups[i]));
    }
    return result;
}

QString MsgALC::getMsgBuffer() const {
    return m_message.isEmpty() ? sentences().join(QString()) : m_message;
}

QList<NamedValue> MsgALC::fieldValues() const {
    QVariantList entries;
    for (const MsgSingleALC& entry : m_sentenceList) {
        entries << entry.getEntryBuffer();
    }
    return {{QStringLiteral("totalNumberOfSentences"), m_totalNumberOfSentences},
            {QStringLiteral("sequentialIdentifier"), m_sequentialIdentifier},
            {QStringLiteral("sentenceList"), entries}};
}
