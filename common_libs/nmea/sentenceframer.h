#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Cuts the byte stream of a serial line into sentences: each sentence runs from a "$" up to
// and including the next line feed. Bytes are taken as Latin-1 so that a relayed sentence
// stays byte-for-byte what was received. Text that does not belong to a sentence (noise
// before a "$", a sentence cut short by a new "$") is handed back as rejected. A line that
// never ends is bounded: past maxBuffered characters the waiting text is dropped and counted.
class SentenceFramer {
public:
    static constexpr qsizetype kDefaultMaxBuffered = 4096;

    struct Result {
        QStringList sentences;
        QString rejected;         // characters dropped because they precede a "$"
        qsizetype overflowed = 0; // characters dropped because no line feed came in time
    };

    explicit SentenceFramer(qsizetype maxBuffered = kDefaultMaxBuffered);

    Result append(const QByteArray& bytes);
    void clear() { m_buffer.clear(); }
    qsizetype buffered() const { return m_buffer.size(); }

private:
    qsizetype m_maxBuffered;
    QString m_buffer;
};
