#pragma once

#include <QString>

// Sentence checksum: XOR of the bytes between the start character and "*",
// written as two upper-case hexadecimal digits. IEC 61162-450 tag blocks use the same.
class CRC8 {
public:
    static QString calculateChecksum(const QString& body);
    static QString calculateChecksum(const char* data, int length);
    static quint8 checksumValue(const char* data, int length);

    // Checks a sentence whose start character and CR LF are already removed.
    // 0: checksum correct; 1: no "*" at all; -1: wrong checksum; -2: "*" not third from the end.
    static int validateCrc(const QString& sentence);
};
