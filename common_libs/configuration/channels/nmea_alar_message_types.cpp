#include "nmea_alar_message_types.h"

#include "default_channels_config.h"

NMEA_Alar_Message_Types::NMEA_Alar_Message_Types()
    : RecordList(QStringLiteral("alarm_msg_types_setup")) {
    readSetup();
}

void NMEA_Alar_Message_Types::getDefaults() {
    m_records.clear();
    for (const QString& channel : Default_Channels_config::channelList) {
        NMEA_Alarm_Message_Type_S record;
        record.channelName = channel;
        record.channelAlarmMessageType = Default_Channels_config::alarmMsgList[0];
        m_records.append(record);
    }
    writeSetup();
}

QString NMEA_Alar_Message_Types::getChannelAlarmMsgType(const QString& channel) const {
    for (const NMEA_Alarm_Message_Type_S& r : m_records) {
        if (r.channelName == channel) {
            return r.channelAlarmMessageType;
        }
    }
    return QStringLiteral("OFF");
}

bool NMEA_Alar_Message_Types::setChannelAlarmMsgType(const QString& channel, const QString& type) {
    if (!Default_Channels_config::alarmMsgList.contains(type)) {
        return false;
    }
    bool changed = false;
    for (NMEA_Alarm_Message_Type_S& r : m_records) {
        if (r.channelName == channel && r.channelAlarmMessageType != type) {
            r.channelAlarmMessageType = type;
            changed = true;
        }
    }
    if (changed) {
        writeSetup();
    }
    return changed;
}
