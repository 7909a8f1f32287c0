#include "crc8.h"

#include <algorithm>

namespace {
constexpr char kHexDigits[] = "0123456789ABCDEF";

// A character as the line carries it after conversion to Latin-1.
quint8 lineByte(QChar character) {
    return character.unicode() > 0xFF ? quint8('?') : static_cast<quint8>(character.unicode());
}

char16_t codeUnit(QChar character) {
    return character.unicode();
}

char16_t codeUnit(char byte) {
    return static_cast<uchar>(byte);
}

quint8 sumOf(QStringView text) {
    return CRC8::checksumValue(text);
}

quint8 sumOf(QByteArrayView bytes) {
    return CRC8::checksumValue(bytes.data(), static_cast<int>(bytes.size()));
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

void appendDigits(QString& text, quint8 value) {
    text += QLatin1Char(kHexDigits[value >> 4]);
    text += QLatin1Char(kHexDigits[value & 0x0F]);
}

QString digits(quint8 value) {
    QString text;
    appendDigits(text, value);
    return text;
}

// The same rules for text and for received bytes.
template <class View> int validate(View sentence) {
    const qsizetype star =
        std::find_if(sentence.begin(), sentence.end(),
                     [](auto character) { return codeUnit(character) == u'*'; }) -
        sentence.begin();
    if (star == sentence.size()) {
        return 1;
    }
    if (star != sentence.size() - 3) {
        return -2;
    }
    const int high = hexValue(codeUnit(sentence[star + 1]));
    const int low = hexValue(codeUnit(sentence[star + 2]));
    if (high < 0 || low < 0) {
        return -1;
    }
    return sumOf(sentence.first(star)) == high * 16 + low ? 0 : -1;
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

void CRC8::appendChecksumOf(QString& text, qsizetype from) {
    const quint8 sum = checksumValue(QStringView(text).sliced(from));
    text += QLatin1Char('*');
    appendDigits(text, sum);
}

QString CRC8::calculateChecksum(const char* data, int length) {
    return digits(checksumValue(data, length));
}

QString CRC8::calculateChecksum(QStringView body) {
    return digits(checksumValue(body));
}

int CRC8::validateCrc(QStringView sentence) {
    return validate(sentence);
}

int CRC8::validateCrc(QByteArrayView sentence) {
    return validate(sentence);
}
