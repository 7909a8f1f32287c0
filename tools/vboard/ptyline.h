#pragma once

#include "rawpty.h"

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>

#include <memory>

// One serial line of the virtual board: a raw pseudo-terminal whose slave side is linked at the
// board's device path (ROOT/dev/ttyS1) for the unit to open, while this side plays the
// equipment at the other end of the cable.
class PtyLine : public QObject {
    Q_OBJECT
public:
    PtyLine(const QString& name, const QString& linkPath, QObject* parent = nullptr);
    ~PtyLine() override;

    bool isValid() const { return m_pty.isOpen(); }
    QString name() const { return m_name; }
    void write(const QByteArray& bytes);

Q_SIGNALS:
    void received(const QByteArray& bytes);

private:
    void readAvailable();

    QString m_name;
    RawPty m_pty;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
