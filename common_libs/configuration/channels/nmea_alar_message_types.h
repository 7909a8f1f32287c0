#pragma once

#include "channelrecords.h"
#include "recordlist.h"

// Whether alert sentences go out on a channel ("ON") or not ("OFF"), file
// "alarm_msg_types_setup", one record per channel. A channel the file does not name reads
// "OFF" and cannot be switched.
class NMEA_Alar_Message_Types : public RecordList<NMEA_Alarm_Message_Type_S> {
public:
    NMEA_Alar_Message_Types();

    void getDefaults() override;

    QString getChannelAlarmMsgType(const QString& channel) const;
    // Changes every record of that channel; a text other than "ON" or "OFF" is not stored.
    bool setChannelAlarmMsgType(const QString& channel, const QString& type);

protected:
    bool accept(QList<NMEA_Alarm_Message_Type_S>& loaded) const override {
        return !loaded.isEmpty();
    }
};
