#pragma once

#include <QByteArray>
#include <QList>

// Cuts the sensor's raw-data stream into measurement frames. A frame starts with the long
// header "$PNRV$PNRVRAW" (13 bytes, dropped, body cut to 1024 bytes) or the short header
// "$PNRVRAW" (18 header bytes dropped, body cut to 2560 bytes) and ends where the next header
// begins, searched from 50 bytes in once more than 200 bytes are waiting. Every complete frame
// of a read is cut at once; bytes with no header in sight and a frame that never ends are
// bounded.
class RawFrameCutter {
public:
    static constexpr qsizetype kMaxBuffered = 16384;

    // Frames completed by these bytes, headers removed and bodies cut to length.
    QList<QByteArray> append(const QByteArray& bytes);
    void clear() { m_rawData.clear(); }
    qsizetype buffered() const { return m_rawData.size(); }
    // Bytes thrown away because no header came or a frame outgrew the buffer.
    qint64 dropped() const { return m_dropped; }

private:
    void dropBeforeHeader();

    QByteArray m_rawData;
    qint64 m_dropped = 0;
};
