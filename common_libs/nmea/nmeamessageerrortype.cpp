#include "nmeamessageerrortype.h"

#include <array>

namespace {
struct ErrorText {
    const char* name;
    const char* reason;
};

constexpr std::array<ErrorText, 11> kErrors{{
    {"NO_ERROR", "No error."},
    {"START_CHARACTER_ERROR", "Start character is invalid!"},
    {"MANUFACTURER_ID_MESSAGE_TYPE_ERROR", "Manufactorer ID or message type is invalid!"},
    {"TALKER_ID_MESSAGE_TYPE_ERROR", "Talker ID is invalid!"},
    {"MAX_PARAMETER_NUMBER_ERROR", "Maximum number of NMEA parameters exceeded!"},
    {"MAX_PARAMETER_LENGHT_ERROR", "Maximum parameter length in NMEA exceeded!"},
    {"CHECKSUM_LENGHT_ERROR", "Checksum must be two hex digits long!"},
    {"END_CHARACTER_ERROR", "NMEA did not terminate with <CR><LF>!"},
    {"CHECKSUM_ERROR", "Wrong checksum!"},
    {"ERR_NMEA_FORMAT", "NMEA message has wrong format!"},
    {"ERR_MAX_LENGTH", "NMEA message is too long!"},
}};

bool known(int type) {
    return type >= 0 && type < static_cast<int>(kErrors.size());
}
} // namespace

const char* getNmeaErrorReason(int type) {
    return known(type) ? kErrors[type].reason : "Unknown reason!";
}

const char* getNmeaErrorName(int type) {
    return known(type) ? kErrors[type].name : "UNKNOWN";
}
