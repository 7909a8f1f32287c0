#include "msgerrortable.h"

namespace {
QVariantList listValue(const QList<int>& numbers) {
    QVariantList values;
    for (const int number : numbers) {
        values << fieldcodec::value(number);
    }
    return values;
}
} // namespace

MsgERRORTABLE::MsgERRORTABLE() : ClonableMessage(QStringLiteral("ERRORTABLE")) {
    initProprietary();
}

MsgERRORTABLE::MsgERRORTABLE(const QList<int>& errorIDs, const QList<int>& errorCounts)
    : MsgERRORTABLE() {
    initForSending();
    m_errorIDs = errorIDs.first(std::min(errorIDs.size(), kPairs));
    m_errorCounts = errorCounts.first(std::min(errorCounts.size(), kPairs));
}

bool MsgERRORTABLE::setParams(const QStringList& params) {
    if (params.size() != 2 * kPairs) {
        return reject();
    }
    m_errorIDs.clear();
    m_errorCounts.clear();
    for (qsizetype i = 0; i < params.size(); i += 2) {
        int id = kAbsentInt;
        int count = kAbsentInt;
        if (!fieldcodec::read(params[i], id) || !fieldcodec::read(params[i + 1], count)) {
            return reject();
        }
        m_errorIDs << id;
        m_errorCounts << count;
    }
    return true;
}

QStringList MsgERRORTABLE::buildFields() const {
    QStringList fields;
    for (qsizetype i = 0; i < kPairs; ++i) {
        fields << fieldcodec::write(m_errorIDs.value(i, kAbsentInt), fmt::integer(), 0)
               << fieldcodec::write(m_errorCounts.value(i, kAbsentInt), fmt::integer(), 0);
    }
    return fields;
}

QList<NamedValue> MsgERRORTABLE::fieldValues() const {
    return {{QStringLiteral("errorIDs"), listValue(m_errorIDs)},
            {QStringLiteral("errorCounts"), listValue(m_errorCounts)}};
}
