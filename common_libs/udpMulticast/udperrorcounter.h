#pragma once

#include "nmeaerrorcounter.h"

// Fault identities of the network inputs, as the error counters store them.
enum ErrorTypeEnum {
    ERR_TYPE_UDP_CRC = 70,
    ERR_TYPE_TAG_CRC = 71,
    ERR_TYPE_TAG_SINTAX = 72,
    ERR_TYPE_TAG_FRAMING = 73,
    ERR_TYPE_MSG_LENGTH = 74,
    ERR_TYPE_UDP_OVERFL_REASEM = 75,
    ERR_TYPE_NMEA_FORMAT = 76,
    ERR_TYPE_SIG_QUALITY = 77,
    ERR_TYPE_TOTAL_REJECTED = 78,
};

// Reports the faults met in received datagrams; the main handler counts them.
class UdpErrorCounter : public NmeaErrorCounter {
    Q_OBJECT
public:
    using NmeaErrorCounter::NmeaErrorCounter;
};
