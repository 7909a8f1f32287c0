#pragma once

#include <QByteArray>
#include <QString>

// Where the simulator's sentences go: a serial device (a real port or the slave side of a
// pseudo-terminal) set to raw 8N1 at the given baud rate, or the standard output. A plain
// file or pipe is written as it is. Writes never block: bytes the line cannot take are lost,
// as on a cable nobody reads.
class SerialOutput {
public:
    SerialOutput() = default;
    ~SerialOutput();
    SerialOutput(const SerialOutput&) = delete;
    SerialOutput& operator=(const SerialOutput&) = delete;

    // An empty path or "-" is the standard output. False with a reason when the device cannot
    // be opened or the baud rate is not one a serial port offers.
    bool open(const QString& path, int baud, QString* error = nullptr);
    bool isOpen() const { return m_fd >= 0; }
    // Bytes written (fewer when the line is full), or -1 when nothing is open.
    qint64 write(const QByteArray& bytes);

    static bool isSupportedBaud(int baud);

private:
    int m_fd = -1;
    bool m_owned = false;
};
