#include "serialrecorder.h"

#include "nmeaparser.h"
#include "waitfor.h"

NmeaMessagePtr HeardSentence::parsed() const {
    return NmeaParser::parse(QString::fromLatin1(text));
}

SerialRecorder::SerialRecorder(PseudoTerminal& line, const QElapsedTimer& clock)
    : m_line(line), m_clock(clock) {}

void SerialRecorder::poll() {
    m_pending += m_line.read(1);
    qsizetype end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        m_heard.push_back({m_clock.elapsed(), m_pending.left(end + 1)});
        m_pending.remove(0, end + 1);
    }
}

std::vector<HeardSentence> SerialRecorder::ofType(const QString& type, qint64 fromMs) const {
    std::vector<HeardSentence> result;
    const QByteArray suffix = type.toLatin1() + ',';
    for (const HeardSentence& sentence : m_heard) {
        const qsizetype comma = sentence.text.indexOf(',');
        if (sentence.atMs >= fromMs && comma > 0 &&
            sentence.text.left(comma + 1).endsWith(suffix)) {
            result.push_back(sentence);
        }
    }
    return result;
}

qint64 SerialRecorder::bytesBetween(qint64 fromMs, qint64 toMs) const {
    qint64 bytes = 0;
    for (const HeardSentence& sentence : m_heard) {
        if (sentence.atMs >= fromMs && sentence.atMs < toMs) {
            bytes += sentence.text.size();
        }
    }
    return bytes;
}

bool listenUntil(const std::vector<SerialRecorder*>& recorders,
                 const std::function<bool()>& condition, int timeoutMs) {
    return waitFor(
        [&] {
            for (SerialRecorder* recorder : recorders) {
                recorder->poll();
            }
            return condition();
        },
        timeoutMs);
}

void listenFor(const std::vector<SerialRecorder*>& recorders, int ms) {
    listenUntil(
        recorders, [] { return false; }, ms);
}
