// Fuzzes what the unit makes of the bytes the sensor sends on its serial line: the stream cut
// into sentences as the reads deliver it, each parsed, and the sensor's description of itself
// (SNF) taken over. The first byte sets how many bytes each read delivers. Every byte must end
// up in exactly one place: a sentence, the rejected noise, the overflow count or the text
// still waiting; and every sentence runs from its only "$" to its only line feed.
#include "fuzzinput.h"
#include "msgsnf.h"
#include "nmeaparser.h"
#include "sensorinfo.h"
#include "sentenceframer.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
bool wellCut(const QString& sentence) {
    return sentence.startsWith(QLatin1Char('$')) && sentence.endsWith(QLatin1Char('\n')) &&
           sentence.count(QLatin1Char('$')) == 1 && sentence.count(QLatin1Char('\n')) == 1;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    silenceLogging();
    if (size == 0) {
        return 0;
    }
    const qsizetype readSize = data[0] % 64 + 1;
    const QByteArray stream = afterFirstByte(data, size);
    // A small buffer, so that the overflow is reached by short inputs too.
    SentenceFramer framer(256);
    SensorInfo info;
    qsizetype accounted = 0;
    for (qsizetype at = 0; at < stream.size(); at += readSize) {
        const SentenceFramer::Result framed = framer.append(stream.mid(at, readSize));
        accounted += framed.rejected.size() + framed.overflowed;
        for (const QString& sentence : framed.sentences) {
            if (!wellCut(sentence)) {
                std::abort();
            }
            accounted += sentence.size();
            const NmeaMessagePtr message = NmeaParser::parse(sentence);
            if (const auto* snf = dynamic_cast<const MsgSNF*>(message.get());
                snf && message->errorType() == NO_ERROR) {
                info.setFromSNF(*snf);
            }
        }
    }
    if (accounted + framer.buffered() != stream.size()) {
        std::abort();
    }
    return 0;
}
