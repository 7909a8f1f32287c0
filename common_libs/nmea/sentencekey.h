#pragma once

#include <QStringView>
#include <QtGlobal>

#include <string_view>

namespace sentencekey {
// Shared by the byte and the text form, so both key an identifier alike.
template <class Char> constexpr quint32 pack(std::basic_string_view<Char> identifier) {
    // The older log numbers its two sentences; they key as their numbers.
    if (identifier.size() == 2 && identifier[0] == '0' &&
        (identifier[1] == '1' || identifier[1] == '6')) {
        return static_cast<quint32>(identifier[1] - '0');
    }
    const auto packed =
        identifier.size() < 3 ? identifier : identifier.substr(identifier.size() - 3);
    quint32 key = 0;
    for (const Char c : packed) {
        key = (key << 8) | static_cast<quint8>(c);
    }
    return key;
}
} // namespace sentencekey

// The dispatch key of a sentence identifier: its last three characters packed big-endian into
// a quint32 ("VBW" is 0x564257), so identifiers that share their tail ("DATR", "ATR") share a
// key. A constant expression, so it serves as a case label: `case sentenceKey("VBW"):`.
constexpr quint32 sentenceKey(std::string_view identifier) {
    return sentencekey::pack(identifier);
}

// The same key for an identifier held as text; each character counts with its low byte.
inline quint32 sentenceKey(QStringView identifier) {
    return sentencekey::pack(std::u16string_view(identifier.utf16(), identifier.size()));
}
