#pragma once

#include "nmeamessageerrortype.h"

#include <QMutex>
#include <QObject>
#include <QString>

// The unit's log: lines from every part of the unit, kept in a bounded buffer for the
// service log and echoed on the debug output. Callable from any thread.
class Logger : public QObject {
    Q_OBJECT
public:
    enum LogLevel { LOG_ERROR = 0, LOG_WARNING = 1, LOG_INFO = 2, LOG_DEBUG = 3 };

    static Logger* instance();
    static QString getLogLevelString(int level);

    void append(const QString& text, int level);
    // Two lines describing a rejected sentence; nothing for NO_ERROR.
    void appendNmeaError(const QString& first, const QString& second, NmeaMessageErrorType type);

    // The lines not yet written out, and their count.
    QString buffer() const;
    int lineCount() const;

private:
    Logger() = default;
    void addLines(const QString& lines, int count);

    mutable QMutex m_mutex;
    QString m_buffer;
    int m_lines = 0;
};
