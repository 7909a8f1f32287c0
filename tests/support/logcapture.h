#pragma once

#include <QMutex>
#include <QString>
#include <QtGlobal>

// Collects the messages logged through Qt's logging (the libraries' categories among them)
// while it exists, one message a line, and passes each on to the handler it replaced, so the
// console shows what it showed before. One at a time.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QString text() const;

private:
    static void collect(QtMsgType type, const QMessageLogContext& context, const QString& text);

    QtMessageHandler m_previous = nullptr;
    mutable QMutex m_mutex;
    QString m_text;
};
