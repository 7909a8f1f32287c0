#include "commandranges.h"

#include "msgicm.h"
#include "nmeaparser.h"

const ParameterRange& CommandRanges::rangeAt(qsizetype position) const {
    if (position < fields.size()) {
        return fields[position];
    }
    if (repeated.isEmpty()) {
        return kNotRead;
    }
    return repeated[(position - fields.size()) % repeated.size()];
}

QString CommandRanges::fault(const MsgICM& received, const QList<int>& parameters) const {
    // The parser stops at a field that is no number and marks the whole sentence.
    if (received.errorType() != NO_ERROR) {
        return QStringLiteral("a field is not a number");
    }
    const qsizetype count = parameters.size();
    const qsizetype needed = fields.size() - optional;
    if (count < needed || (exactCount && count != fields.size())) {
        return QStringLiteral("%1 parameters where %2 are needed").arg(count).arg(needed);
    }
    for (qsizetype i = 0; i < count; ++i) {
        const int value = parameters[i];
        if (rangeAt(i).contains(value)) {
            continue;
        }
        if (value == kAbsentInt) {
            return QStringLiteral("parameter %1 is empty").arg(i);
        }
        return QStringLiteral("parameter %1 is %2, outside %3..%4")
            .arg(i)
            .arg(value)
            .arg(rangeAt(i).min)
            .arg(rangeAt(i).max);
    }
    return {};
}
