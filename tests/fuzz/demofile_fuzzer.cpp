// Fuzzes the demonstration files the unit plays, from its application folder or a USB stick:
// with the first byte even the rest is a demonstration file, each line of it (UTF-8, as the
// player's text stream reads it) played as a sentence; with the first byte odd it is a log
// recorded on a stick, converted to a demonstration whose lines are then played the same way.
#include "demoplayer.h"
#include "fuzzinput.h"
#include "logfileparser.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace {
// As the player takes each line: shorter lines are skipped, the rest parsed and used.
void play(const QString& demoText) {
    for (QString line : demoText.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        if (line.size() < 2) {
            continue;
        }
        if (const NmeaMessagePtr sentence = DemoPlayer::sentenceOf(line)) {
            static_cast<void>(sentence->getMsgBuffer());
            static_cast<void>(sentence->fieldValues());
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    silenceLogging();
    if (size == 0) {
        return 0;
    }
    const QByteArray bytes = afterFirstByte(data, size);
    if (data[0] % 2 == 0) {
        play(QString::fromUtf8(bytes));
    } else {
        // The log is read as Latin-1 with its zero bytes dropped.
        play(LogFileParser::convertText(QString::fromLatin1(bytes).remove(QChar(0))));
    }
    return 0;
}
