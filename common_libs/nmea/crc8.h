#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Sentence checksum: XOR of the bytes between the start character and "*",
// written as two upper-case hexadecimal digits. IEC 61162-450 tag blocks use the same.
class CRC8 {
public:
    static QString calculateChecksum(QStringView body);
    static QString calculateChecksum(const char* data, int length);
    static quint8 checksumValue(const char* data, int length);
    // The text's characters as the line carries them: Latin-1, anything beyond it as "?".
    static quint8 checksumValue(QStringView text);
    // Appends "*" and the checksum of text from position `from` on.
    static void appendChecksumOf(QString& text, qsizetype from);

    // Checks a sentence whose start character and CR LF are already removed.
    // 0: checksum correct; 1: no "*" at all; -1: wrong checksum; -2: "*" not third from the end.
    static int validateCrc(QStringView sentence);
    static int validateCrc(QByteArrayView sentence);
};
