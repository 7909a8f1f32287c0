#pragma once

#include "nmea_alar_message_types.h"
#include "nmea_bauds_setup.h"
#include "singlechannelsetup.h"

#include "msgicm.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// Everything about the unit's three output channels ("Nmea_1", "Nmea_2", "LAN"): which
// sentences each sends, the serial baud rates, alarm output and speed decimals. Answers the
// output assembly and the alarm controller, and exchanges each channel's setup with the
// display as one ICM 15:
//   $PNRVICM,1,15,channel,baud,alarmType,twoDecimals,type,enabled,type,enabled,...*hh
//   channel   index in the channel list (0 Nmea_1, 1 Nmea_2, 2 LAN)
//   baud      4800, 38400 or 115200
//   alarmType 0 "ON", 1 "OFF"
//   twoDecimals 1 when speeds go out with two decimals
//   type,enabled  for every offered type in type-list order: its index (0..13) and 1 or 0
class Outpu_Channels_Setup {
public:
    // What became of a channel message from the display.
    enum class ChannelMessage {
        Dropped,       // unusable: nothing changed
        Applied,       // taken as it came
        PartlyApplied, // taken without the values that could not be used
    };

    Outpu_Channels_Setup();

    // False for an unknown channel or type.
    bool isEnabled(const QString& msgType, const QString& channel) const;
    bool isEnabledByAny(const QString& msgType) const;
    // Writes the channel's file on a change; an unknown channel or type changes nothing.
    void setEnabled(const QString& channel, const QString& msgType, bool enabled);

    // The network channel reads the Nmea_2 values; only Nmea_1 and Nmea_2 can be set.
    int getChannelBaudRate(const QString& channel) const;
    bool setChannelBaudRate(const QString& channel, int baud);
    bool getChannelUseTwoDecimals(const QString& channel) const;
    bool setChannelUseTwoDecimals(const QString& channel, bool two);

    QString getChannelAlarmMsgType(const QString& channel) const;
    bool setChannelAlarmMsgType(const QString& channel, const QString& type);
    bool isAlarmOutputEnabled(const QString& channel) const;

    // Empty for an unknown channel.
    QStringList getAvailableMsgsTypes(const QString& channel) const;
    QList<bool> getAvailableMsgsEnabled(const QString& channel) const;

    // The channel's setup for the display; null for an unknown channel.
    std::shared_ptr<MsgICM> getChannelSetupMessage(const QString& channel) const;
    // A channel's setup from the display (parameters as in the sentence above). Dropped when
    // it has fewer than four values or a channel or alarm index out of range; an unsupported
    // baud rate, a type index out of range and an unpaired last value are left out.
    ChannelMessage setChannel(const QList<int>& parameters);

    // True once the display has sent the setup of every channel.
    bool getSetupReceivedFlag() const;
    void setSetupReceivedFlag(const QString& channel, bool received);

    // Factory sentence tables, baud rates and alarm output, written; decimals stay as they are.
    void getDefaults();

    // Every file, under its name followed by the suffix in the saved configurations.
    bool saveToFile(const QString& suffix) const;
    bool loadFromFile(const QString& suffix);

private:
    const SingleChannelSetup* channel(const QString& name) const;
    SingleChannelSetup* channel(const QString& name);

    std::vector<SingleChannelSetup> outputChannels;
    NMEA_Bauds_Setup nmeaBauds;
    NMEA_Alar_Message_Types nmeaAlrTypes;
    NMEA_Decimals_Setup nmeaDecimals;
    QList<bool> chSetupReceivedFlag;
};
