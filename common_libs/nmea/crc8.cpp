#include "crc8.h"

namespace {
constexpr char kHexDigits[] = "0123456789ABCDEF";

// A character as the line carries it after conversion to Latin-1.
quint8 lineByte(QChar character) {
    return character.unicode() > 0xFF ? quint8('?') : static_cast<quint8>(character.unicode());
}

int hexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    return -1;
}

// The verdict of validateCrc from where the "*" stands, the digits after it and the sum of
// what precedes it.
int verdict(qsizetype size, qsizetype star, const auto& digitAt, const auto& sumBefore) {
    if (star < 0) {
        return 1;
    }
    if (star != size - 3) {
        return -2;
    }
    const int high = hexValue(digitAt(star + 1));
    const int low = hexValue(digitAt(star + 2));
    if (high < 0 || low < 0) {
        return -1;
    }
    return sumBefore(star) == high * 16 + low ? 0 : -1;
}
} // namespace

quint8 CRC8::checksumValue(const char* data, int length) {
    quint8 sum = 0;
    for (int i = 0; i < length; ++i) {
        sum ^= static_cast<quint8>(data[i]);
    }
    return sum;
}

quint8 CRC8::checksumValue(QStringView text) {
    quint8 sum = 0;
    for (const QChar character : text) {
        sum ^= lineByte(character);
    }
    return sum;
}

void CRC8::appendChecksum(QString& text, quint8 value) {
    text += QLatin1Char(kHexDigits[value >> 4]);
    text += QLatin1Char(kHexDigits[value & 0x0F]);
}

QString CRC8::calculateChecksum(const char* data, int length) {
    QString digits;
    appendChecksum(digits, checksumValue(data, length));
    return digits;
}

QString CRC8::calculateChecksum(QStringView body) {
    QString digits;
    appendChecksum(digits, checksumValue(body));
    return digits;
}

int CRC8::validateCrc(QStringView sentence) {
    return verdict(
        sentence.size(), sentence.indexOf(QLatin1Char('*')),
        [sentence](qsizetype at) { return sentence[at].unicode(); },
        [sentence](qsizetype length) { return checksumValue(sentence.first(length)); });
}

int CRC8::validateCrc(QByteArrayView sentence) {
    return verdict(
        sentence.size(), sentence.indexOf('*'),
        [sentence](qsizetype at) { return char16_t(static_cast<uchar>(sentence[at])); },
        [sentence](qsizetype length) {
            return checksumValue(sentence.data(), static_cast<int>(length));
        });
}
