#include "logfilenames.h"

#include <QRegularExpression>

namespace {
struct Latest {
    QString name;
    int number = 0;
};

// The greatest of the entries that are this unit's logs with the given ending.
Latest latestOf(const QStringList& entries, const QString& unit, const QString& ending) {
    const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(unit) + QStringLiteral("(\\d{8})") +
        QRegularExpression::escape(ending) + QStringLiteral(".*")));
    Latest latest;
    for (const QString& entry : entries) {
        const QRegularExpressionMatch match = pattern.match(entry);
        if (match.hasMatch() && entry > latest.name) {
            latest = {entry, match.captured(1).toInt()};
        }
    }
    return latest;
}

QString numbered(const QString& unit, int number, const QString& ending) {
    return unit + QStringLiteral("%1").arg(number, 8, 10, QLatin1Char('0')) + ending;
}

const QString kText = QStringLiteral(".txt");
const QString kRaw = QStringLiteral("raw.txt");
} // namespace

QString LogFileNames::safeUnitName(const QString& unitName) {
    QString safe = unitName;
    for (QChar& c : safe) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') ||
            c.category() == QChar::Other_Control) {
            c = QLatin1Char('_');
        }
    }
    return safe;
}

QString LogFileNames::nextText(const QStringList& entries, const QString& unitName) {
    const QString unit = safeUnitName(unitName);
    return numbered(unit, latestOf(entries, unit, kText).number + 1, kText);
}

LogFileNames::Raw LogFileNames::nextRaw(const QStringList& entries, const QString& unitName) {
    const QString unit = safeUnitName(unitName);
    const Latest latest = latestOf(entries, unit, kRaw);
    Raw raw{numbered(unit, latest.number + 1, kRaw), QString()};
    if (!latest.name.isEmpty() && !latest.name.contains(QLatin1String(".gz"))) {
        raw.toCompress = latest.name;
    }
    return raw;
}
