#include "nmea_bauds_setup.h"

#include <algorithm>

bool NMEA_Bauds_Setup::isSupportedBaud(int baud) {
    return baud == 4800 || baud == 38400 || baud == 115200;
}

NMEA_Bauds_Setup::NMEA_Bauds_Setup()
    : SerialChannelValues(QStringLiteral("channels_bauds_setup"), kDefaultBaud) {
    readSetup();
}

bool NMEA_Bauds_Setup::setChannelBaudRate(const QString& channel, int baud) {
    return isSupportedBaud(baud) && set(channel, baud);
}

bool NMEA_Bauds_Setup::accept(QList<NMEA_Baud_S>& loaded) const {
    return SerialChannelValues::accept(loaded) &&
           std::all_of(loaded.begin(), loaded.end(),
                       [](const NMEA_Baud_S& r) { return isSupportedBaud(r.channelBaud); });
}

NMEA_Decimals_Setup::NMEA_Decimals_Setup()
    : SerialChannelValues(QStringLiteral("channels_decimal_setup"), false) {
    readSetup();
}
