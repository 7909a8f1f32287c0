#pragma once

#include "rawpty.h"

#include <QByteArray>
#include <QString>

// One serial line of a virtual board: a pseudo-terminal pair in raw mode (every byte, 0x11
// and 0x13 included, passes unchanged) whose slave side is linked at a device path such as
// ROOT/dev/ttyS1. The test talks through the master side, as the equipment on the line would.
// The slave stays open in the test as well, so the master never reads EIO between opens.
class PseudoTerminal {
public:
    explicit PseudoTerminal(const QString& linkPath);
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool isValid() const { return m_pty.isOpen(); }
    void write(const QByteArray& bytes);
    // Reads what arrives within the time; stops early once `until` has been seen (if given).
    QByteArray read(int timeoutMs, const QByteArray& until = QByteArray());

private:
    RawPty m_pty;
};
