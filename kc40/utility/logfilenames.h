#pragma once

#include <QString>
#include <QStringList>

// The names of the unit's log files on the USB stick: the unit's name, an eight-digit sequence
// number, and ".txt" for the text log or "raw.txt" for the raw sensor log. A new file takes
// the number after the highest on the stick; compressed logs (".gz") keep their number taken.
class LogFileNames {
public:
    // The unit's name as it may stand in a file name: a path separator in it would put the
    // log outside the stick's folder.
    static QString safeUnitName(const QString& unitName);

    static QString nextText(const QStringList& entries, const QString& unitName);

    struct Raw {
        QString next;
        // The latest raw log, still uncompressed, to be handed to gzip; empty when none.
        QString toCompress;
    };
    static Raw nextRaw(const QStringList& entries, const QString& unitName);
};
