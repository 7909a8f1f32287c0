#include "crc8.h"

quint8 CRC8::checksumValue(const char* data, int length) {
    quint8 sum = 0;
    for (int i = 0; i < length; ++i) {
        sum ^= static_cast<quint8>(data[i]);
    }
    return sum;
}

QString CRC8::calculateChecksum(const char* data, int length) {
    return QStringLiteral("%1").arg(checksumValue(data, length), 2, 16, QLatin1Char('0')).toUpper();
}

QString CRC8::calculateChecksum(const QString& body) {
    const QByteArray bytes = body.toLatin1();
    return calculateChecksum(bytes.constData(), static_cast<int>(bytes.size()));
}

int CRC8::validateCrc(const QString& sentence) {
    const qsizetype star = sentence.indexOf(QLatin1Char('*'));
    if (star < 0) {
        return 1;
    }
    if (star != sentence.size() - 3) {
        return -2;
    }
    const QString expected = calculateChecksum(sentence.left(star));
    return expected.compare(sentence.right(2), Qt::CaseInsensitive) == 0 ? 0 : -1;
}
