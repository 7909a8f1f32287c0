#pragma once

#include <QString>

// One end of a virtual serial cable: a pseudo-terminal pair in raw mode (every byte, 0x11 and
// 0x13 included, passes unchanged) whose slave side is linked at a board device path such as
// ROOT/dev/ttyS3. The unit opens the link; test equipment reads and writes the master.
class RawPty {
public:
    RawPty() = default;
    ~RawPty();
    RawPty(const RawPty&) = delete;
    RawPty& operator=(const RawPty&) = delete;

    // keepSlaveOpen: hold the slave side as well, so the master never reads EIO while the unit
    // has the line closed. Without it the master sees a hang-up whenever no program holds the
    // line, which equipment that behaves like a UART uses to tell sessions apart.
    // The line starts at 4800 baud, the NMEA default. The master is non-blocking.
    bool open(const QString& linkPath, bool keepSlaveOpen, QString* error = nullptr);
    // Closes both sides and removes the link.
    void close();

    int master() const { return m_master; }
    bool isOpen() const { return m_master >= 0; }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_link;
};
