#include "nmeaparser.h"

#include <QString>

#include <cstddef>
#include <cstdint>

// Any byte string given to the parser as a received sentence: parsing, relaying, inspecting,
// copying and rebuilding the result must neither crash, leak nor hit undefined behaviour.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto message = NmeaParser::parse(text);
    static_cast<void>(message->getMsgBuffer());
    static_cast<void>(message->fieldValues());
    static_cast<void>(message->fullType());
    const auto copy = message->clone();
    copy->setNumber_of_decimals(2);
    static_cast<void>(copy->getMsgBuffer());
    return 0;
}
