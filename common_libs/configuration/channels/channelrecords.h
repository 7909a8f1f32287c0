#pragma once

#include <QObject>
#include <QString>

// The records of the channel setup files; each file holds a list of one kind, its properties
// being the JSON keys.

// One sentence type on one channel.
struct Sing_Ch_Sing_Msg_S {
    Q_GADGET
    Q_PROPERTY(QString msgType MEMBER msgType)
    Q_PROPERTY(bool enabled MEMBER enabled)
    Q_PROPERTY(bool allowed MEMBER allowed)
public:
    QString msgType;
    bool enabled = false;
    bool allowed = false;
};

struct NMEA_Baud_S {
    Q_GADGET
    Q_PROPERTY(QString channelName MEMBER channelName)
    Q_PROPERTY(int channelBaud MEMBER channelBaud)
public:
    QString channelName;
    int channelBaud = 4800;
};

// channelAlarmMessageType is "ON" or "OFF".
struct NMEA_Alarm_Message_Type_S {
    Q_GADGET
    Q_PROPERTY(QString channelName MEMBER channelName)
    Q_PROPERTY(QString channelAlarmMessageType MEMBER channelAlarmMessageType)
public:
    QString channelName;
    QString channelAlarmMessageType = QStringLiteral("ON");
};

struct NMEA_Use_Two_Decimals_S {
    Q_GADGET
    Q_PROPERTY(QString channelName MEMBER channelName)
    Q_PROPERTY(bool useTwoDecimals MEMBER useTwoDecimals)
public:
    QString channelName;
    bool useTwoDecimals = false;
};
