#include "nmeasettings.h"

#include <atomic>

namespace {
constexpr int kSfiLength = 6;

// The six Latin-1 characters packed into one word, so that a reader never sees half an identifier.
quint64 pack(const QString& sfi) {
    const QByteArray bytes = sfi.left(kSfiLength).toLatin1().leftJustified(kSfiLength, ' ');
    quint64 packed = 0;
    for (const char c : bytes) {
        packed = (packed << 8) | static_cast<quint8>(c);
    }
    return packed;
}

std::atomic<quint64> g_sfi{pack(QStringLiteral("VD0101"))};
std::atomic<int> g_decimals{1};
} // namespace

QString NmeaSettings::sourceSfi() {
    const quint64 packed = g_sfi.load();
    char text[kSfiLength];
    for (int i = 0; i < kSfiLength; ++i) {
        text[i] = static_cast<char>((packed >> (8 * (kSfiLength - 1 - i))) & 0xFF);
    }
    return QString::fromLatin1(text, kSfiLength).trimmed();
}

void NmeaSettings::setSourceSfi(const QString& sfi) {
    g_sfi.store(pack(sfi));
}

QString NmeaSettings::sourceTalker() {
    return sourceSfi().left(2);
}

int NmeaSettings::numberOfDecimals() {
    return g_decimals.load();
}

void NmeaSettings::setNumberOfDecimals(int decimals) {
    g_decimals.store(decimals);
}
