#pragma once

// Result of parsing one received sentence, kept in every sentence object.
enum NmeaMessageErrorType {
    NO_ERROR = 0,
    START_CHARACTER_ERROR = 1,
    MANUFACTURER_ID_MESSAGE_TYPE_ERROR = 2,
    TALKER_ID_MESSAGE_TYPE_ERROR = 3,
    MAX_PARAMETER_NUMBER_ERROR = 4,
    MAX_PARAMETER_LENGHT_ERROR = 5,
    CHECKSUM_LENGHT_ERROR = 6,
    END_CHARACTER_ERROR = 7,
    CHECKSUM_ERROR = 8,
    ERR_NMEA_FORMAT = 9,
    ERR_MAX_LENGTH = 10,
};

// Operator text of an error code, as it appears in the log.
const char* getNmeaErrorReason(int type);
// Enumerator name of an error code ("CHECKSUM_ERROR"), for service tools.
const char* getNmeaErrorName(int type);
