#pragma once

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>

#include <memory>

// The lines of the standard input as they arrive, from a terminal, a pipe or a file; at the end
// of the input it falls silent.
class StdinLines : public QObject {
    Q_OBJECT
public:
    explicit StdinLines(QObject* parent = nullptr);

Q_SIGNALS:
    void line(const QString& text);

private:
    void readAvailable();

    std::unique_ptr<QSocketNotifier> m_notifier;
    QByteArray m_pending;
};
