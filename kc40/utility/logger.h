#pragma once

#include "nmeamessageerrortype.h"

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <functional>

// The unit's log: lines from every part of the unit, echoed on the debug output and written
// once a second to a log file on the USB stick while one is mounted. Without a stick the lines
// wait in a bounded buffer. It also keeps a binary log of raw sensor bytes on the stick, and it
// notices a stick being inserted. Lines and raw bytes may come from any thread; the files are
// written on the thread that owns the logger, the main thread.
class Logger : public QObject {
    Q_OBJECT
public:
    enum LogLevel { LOG_ERROR = 0, LOG_WARNING = 1, LOG_INFO = 2, LOG_DEBUG = 3 };

    // A text log grows to this size; the next dump starts a new file.
    static constexpr qint64 kMaxLogFileSize = 31457279;
    // Raw bytes are written once more than this many are waiting.
    static constexpr qsizetype kRawDumpSize = 10369;

    static Logger* instance();
    // A fresh logger for the next instance(): nothing buffered, no stick seen.
    static void resetForTests();
    static QString getLogLevelString(int level);

    // From now on every message of a "kc40." category is appended with the level of its type
    // (critical as LOG_ERROR, warning, info, debug); other messages, plain qDebug() among
    // them, keep Qt's own handling and reach the console only. Installs one message handler,
    // however often it is called, and settles the logger on the calling thread.
    static void collectLibraryMessages();

    // From now on the debug-output echo of the lines is written out, in one piece, each time the
    // calling thread's event loop is about to wait, and at once for errors and warnings: a
    // sensor sentence handled produces several lines, and a console write each costs the board
    // more than the lines themselves.
    void echoWhenIdle();

    // The ship's UTC time of day for the lines, and the unit's name for the file names; both
    // are asked on the logger's thread only. Without a time the lines read "000000.000".
    void setTimeSource(std::function<QString()> source);
    void setUnitNameSource(std::function<QString()> source);
    void startLoggerTimer();

    void append(const QString& text, int level);
    // Two lines describing a rejected sentence; nothing for NO_ERROR.
    void appendNmeaError(const QString& first, const QString& second, NmeaMessageErrorType type);
    void logRawData(const QByteArray& bytes);

    // The lines not yet written out, and their count; the raw bytes waiting.
    QString buffer() const;
    int lineCount() const;
    qsizetype rawBufferSize() const;

    bool getStick_state() const { return m_stick_state; }
    void setStick_state(bool present) { m_stick_state = present; }

    // A settings file was written: a stick that is in gets its copy.
    void emitSigCopyFileToStick(const QString& fileName) { Q_EMIT sigCopyFileToUSB(fileName); }

public Q_SLOTS:
    void dump();
    void dumpRaw();

Q_SIGNALS:
    void sigDevicePresent();
    void sigCopyFileToUSB(const QString& fileName);

private:
    Logger() = default;
    void addLines(const QString& lines, int count);
    QString timeText();
    // Samples the mount table; a stick newly in gets a fresh text log and is announced.
    void checkStick();
    QString stickFile(const QString& name) const;
    QString unitName() const;
    void chooseTextLog();
    void chooseRawLog();

    void echo(QByteArray text, int level);
    void writeEcho();

    bool m_previous_stick_state = false;
    std::atomic<bool> m_stick_state = false;
    QTimer m_dump_timer;
    QString m_log_name;
    QString m_raw_log_name;
    int nLogCounter = 0;
    std::function<QString()> m_timeSource;
    std::function<QString()> m_unitNameSource;

    std::atomic<bool> m_echoWhenIdle = false;
    mutable QMutex m_mutex;
    // Guarded by m_mutex: what other threads hand over.
    QByteArray m_echo;
    QString m_buffer;
    int m_lines = 0;
    // A full buffer waiting for the dump queued when it filled.
    QString m_full;
    QByteArray m_raw_buffer;
    // The time the logger's thread last read, for lines from other threads.
    QString m_lastTime;
};
