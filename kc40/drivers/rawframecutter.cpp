#include "rawframecutter.h"

namespace {
const QByteArray kLongHeader = QByteArrayLiteral("$PNRV$PNRVRAW");
const QByteArray kShortHeader = QByteArrayLiteral("$PNRVRAW");
constexpr qsizetype kCutThreshold = 200;
constexpr qsizetype kNextHeaderFrom = 50;
constexpr qsizetype kShortHeaderSkip = 18;
constexpr qsizetype kShortFrameMax = 2560;
constexpr qsizetype kLongFrameMax = 1024;

// The earliest header of either kind: a short-header frame ahead of a long-header one is a
// frame, not noise. The long header holds the short one 5 bytes in, so it wins where it is.
qsizetype findHeader(const QByteArray& data, qsizetype from) {
    const qsizetype longAt = data.indexOf(kLongHeader, from);
    const qsizetype shortAt = data.indexOf(kShortHeader, from);
    if (longAt < 0 || shortAt < 0) {
        return longAt < 0 ? shortAt : longAt;
    }
    return qMin(longAt, shortAt);
}

QByteArray frameBody(const QByteArray& frame) {
    if (!frame.startsWith(kLongHeader) && frame.startsWith(kShortHeader)) {
        return frame.mid(kShortHeaderSkip).left(kShortFrameMax);
    }
    return frame.mid(kLongHeader.size()).left(kLongFrameMax);
}
} // namespace

void RawFrameCutter::dropBeforeHeader() {
    const qsizetype header = findHeader(m_rawData, 0);
    if (header > 0) {
        m_dropped += header;
        m_rawData.remove(0, header);
    } else if (header < 0) {
        // Keep only what may be the start of a header split across reads.
        const qsizetype keep = qMin(m_rawData.size(), kLongHeader.size() - 1);
        m_dropped += m_rawData.size() - keep;
        m_rawData.remove(0, m_rawData.size() - keep);
    }
}

QList<QByteArray> RawFrameCutter::append(const QByteArray& bytes) {
    QList<QByteArray> frames;
    m_rawData.append(bytes);
    dropBeforeHeader();
    while (m_rawData.size() > kCutThreshold) {
        const qsizetype next = findHeader(m_rawData, kNextHeaderFrom);
        if (next < 0) {
            break;
        }
        frames.append(frameBody(m_rawData.left(next)));
        m_rawData.remove(0, next);
    }
    if (m_rawData.size() > kMaxBuffered) {
        // A frame far longer than any the sensor sends: its end was lost.
        m_dropped += m_rawData.size();
        m_rawData.clear();
    }
    return frames;
}
