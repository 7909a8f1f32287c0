#pragma once

#include "nmeamessageerrortype.h"

#include <QMutex>
#include <QObject>
#include <QString>

#include <atomic>

// The unit's log: lines from every part of the unit, kept in a bounded buffer for the
// service log and echoed on the debug output. Callable from any thread. The libraries log
// through Qt's logging categories; once collectLibraryMessages() has run, their messages land
// here as well.
class Logger : public QObject {
    Q_OBJECT
public:
    enum LogLevel { LOG_ERROR = 0, LOG_WARNING = 1, LOG_INFO = 2, LOG_DEBUG = 3 };

    static Logger* instance();
    static QString getLogLevelString(int level);

    // From now on every message of a "kc40." category is appended with the level of its type
    // (critical as LOG_ERROR, warning, info, debug); other messages, plain qDebug() among
    // them, keep Qt's own handling and reach the console only. Installs one message handler,
    // however often it is called.
    static void collectLibraryMessages();

    // From now on the debug-output echo of the lines is written out, in one piece, each time the
    // calling thread's event loop is about to wait, and at once for errors and warnings: a
    // sensor sentence handled produces several lines, and a console write each costs the board
    // more than the lines themselves.
    void echoWhenIdle();

    void append(const QString& text, int level);
    // Two lines describing a rejected sentence; nothing for NO_ERROR.
    void appendNmeaError(const QString& first, const QString& second, NmeaMessageErrorType type);

    // The lines not yet written out, and their count.
    QString buffer() const;
    int lineCount() const;

private:
    Logger() = default;
    void addLines(const QString& lines, int count);

    void echo(QByteArray text, int level);
    void writeEcho();

    std::atomic<bool> m_echoWhenIdle = false;
    mutable QMutex m_mutex;
    // Guarded by m_mutex: console text not yet written.
    QByteArray m_echo;
    QString m_buffer;
    int m_lines = 0;
};
