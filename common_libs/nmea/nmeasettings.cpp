#include "nmeasettings.h"

#include <atomic>

namespace {
// Two Latin-1 characters packed into one word, so that a reader never sees half a talker.
std::atomic<quint16> g_talker{static_cast<quint16>(('V' << 8) | 'D')};
std::atomic<int> g_decimals{1};
} // namespace

QString NmeaSettings::sourceTalker() {
    const quint16 packed = g_talker.load();
    const char text[2] = {static_cast<char>(packed >> 8), static_cast<char>(packed & 0xFF)};
    return QString::fromLatin1(text, 2);
}

void NmeaSettings::setSourceTalker(const QString& talker) {
    const QByteArray bytes = talker.left(2).toLatin1().leftJustified(2, ' ');
    g_talker.store(static_cast<quint16>((static_cast<quint8>(bytes[0]) << 8) |
                                        static_cast<quint8>(bytes[1])));
}

int NmeaSettings::numberOfDecimals() { return g_decimals.load(); }

void NmeaSettings::setNumberOfDecimals(int decimals) { g_decimals.store(decimals); }
