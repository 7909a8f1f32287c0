#pragma once

#include <QByteArray>

// The sensor's configuration PROM behind its firmware-mode bridge: 2048 pages of 256 bytes, a
// status register with its write-enable latch (WEL) and write-in-progress bit (WIP), a bulk
// erase that takes its time and page programs that can only clear bits. The bridge shifts the
// line's bytes least significant bit first, so commands, addresses and status travel
// bit-reversed; the pages are kept as they came on the line, the bit order the logic loads.
class FlashProm {
public:
    static constexpr int kPageSize = 256;
    static constexpr int kPages = 2048;
    static constexpr int kAnswerSize = 273;
    static constexpr quint8 kWip = 0x01;
    static constexpr quint8 kWel = 0x02;
    // Seconds on the real PROM; long enough here that a unit polling its status too fast
    // gives up before the erase has ended.
    static constexpr qint64 kEraseMs = 1000;

    FlashProm();

    // The byte with its bit order reversed.
    static quint8 reversed(quint8 byte);
    // The length of a programming frame whose count byte (after "$PNRVFIRM") is this, 0 for
    // no frame.
    static int frameSize(quint8 countByte);

    // One programming frame at `nowMs`; the answer the sensor sends back, if any (reads only).
    QByteArray frame(const QByteArray& frame, qint64 nowMs);

    // A bulk erase that never ends, as a worn PROM's.
    void setEraseNeverEnds(bool never) { m_eraseNeverEnds = never; }
    quint8 status(qint64 nowMs);
    const QByteArray& contents() const { return m_cells; }
    // Pages programmed since the last erase (the highest one plus one), 0 when none.
    int programmedPages() const { return m_programmedPages; }
    // Page programs carried out since the PROM was made.
    int programs() const { return m_programs; }
    // The programmed pages in the bit order of the image file (the last page zero-padded).
    QByteArray restoredImage() const;

private:
    void command(const QByteArray& spi, qint64 nowMs, QByteArray& miso);
    bool busy(qint64 nowMs);

    QByteArray m_cells;
    bool m_enabled = false;
    // SRWD and the protection bits, as WRSR left them.
    quint8 m_statusBits = 0;
    bool m_wel = false;
    bool m_erasing = false;
    qint64 m_eraseEndsAt = 0;
    bool m_eraseNeverEnds = false;
    int m_programmedPages = 0;
    int m_programs = 0;
};
