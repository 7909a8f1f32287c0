#include "compiledateandtime.h"

#include <QDate>
#include <QStringList>
#include <QTime>

QString CompileDateAndTime::timestampFrom(const QString& date, const QString& time) {
    static const QStringList months{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QStringList parts = date.simplified().split(QLatin1Char(' '));
    if (parts.size() != 3) {
        return {};
    }
    const QDate day(parts[2].toInt(), static_cast<int>(months.indexOf(parts[0])) + 1,
                    parts[1].toInt());
    const QTime clock = QTime::fromString(time, QStringLiteral("hh:mm:ss"));
    if (!day.isValid() || !clock.isValid()) {
        return {};
    }
    return day.toString(QStringLiteral("yyMMdd")) + clock.toString(QStringLiteral("HHmmss"));
}

QString CompileDateAndTime::getCompileTimestampAsNumber() {
    return timestampFrom(QStringLiteral(__DATE__), QStringLiteral(__TIME__));
}

QString CompileDateAndTime::getCompileDateAsNumber() {
    return getCompileTimestampAsNumber().left(6);
}
