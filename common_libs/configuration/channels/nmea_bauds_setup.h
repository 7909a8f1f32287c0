#pragma once

#include "channelrecords.h"
#include "serialchannelvalues.h"

// The baud rates of the two serial outputs, file "channels_bauds_setup". Only the rates the
// outputs can run at are taken, from the file as from the display.
class NMEA_Bauds_Setup : public SerialChannelValues<NMEA_Baud_S, int, &NMEA_Baud_S::channelName,
                                                    &NMEA_Baud_S::channelBaud> {
public:
    static constexpr int kDefaultBaud = 4800;
    static bool isSupportedBaud(int baud);

    NMEA_Bauds_Setup();

    int getChannelBaudRate(const QString& channel) const { return get(channel); }
    // False (nothing stored) for an unsupported rate.
    bool setChannelBaudRate(const QString& channel, int baud);

protected:
    bool accept(QList<NMEA_Baud_S>& loaded) const override;
};

// Whether speeds go out with two decimals, file "channels_decimal_setup".
class NMEA_Decimals_Setup : public SerialChannelValues<NMEA_Use_Two_Decimals_S, bool,
                                                       &NMEA_Use_Two_Decimals_S::channelName,
                                                       &NMEA_Use_Two_Decimals_S::useTwoDecimals> {
public:
    NMEA_Decimals_Setup();

    bool getChannelUseTwoDecimals(const QString& channel) const { return get(channel); }
    bool setChannelUseTwoDecimals(const QString& channel, bool two) { return set(channel, two); }
};
