#include "sentenceframer.h"

SentenceFramer::SentenceFramer(qsizetype maxBuffered) : m_maxBuffered(maxBuffered) {}

SentenceFramer::Result SentenceFramer::append(const QByteArray& bytes) {
    Result result;
    m_buffer += QString::fromLatin1(bytes);

    for (;;) {
        const qsizetype lineFeed = m_buffer.indexOf(QLatin1Char('\n'));
        const qsizetype searchEnd = lineFeed < 0 ? m_buffer.size() - 1 : lineFeed;
        // The last "$" before the line feed starts the sentence: a "$" never appears inside one.
        const qsizetype start = m_buffer.lastIndexOf(QLatin1Char('$'), searchEnd);
        if (start < 0) {
            result.rejected += lineFeed < 0 ? m_buffer : m_buffer.left(lineFeed + 1);
            m_buffer.remove(0, lineFeed < 0 ? m_buffer.size() : lineFeed + 1);
            if (lineFeed < 0) {
                break;
            }
            continue;
        }
        if (start > 0) {
            result.rejected += m_buffer.left(start);
            m_buffer.remove(0, start);
        }
        if (lineFeed < 0) {
            break;
        }
        const qsizetype length = lineFeed - start + 1;
        result.sentences.append(m_buffer.left(length));
        m_buffer.remove(0, length);
    }

    if (m_buffer.size() > m_maxBuffered) {
        result.overflowed = m_buffer.size();
        m_buffer.clear();
    }
    return result;
}
