#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The fixed vocabulary of the output channels: channel names (the index is the channel number
// on the wire), the unit's output sentence types (the index is the type number on the wire),
// the alarm output choices, and the factory flags of every type on every channel.
class Default_Channels_config {
public:
    static constexpr int kChannelCount = 3;
    static constexpr int kTypeCount = 14;

    static inline const QStringList channelList = {QStringLiteral("Nmea_1"),
                                                   QStringLiteral("Nmea_2"), QStringLiteral("LAN")};
    static inline const QStringList alarmMsgList = {QStringLiteral("ON"), QStringLiteral("OFF")};

    // "Allowed" types are offered for a channel; "enabled" is the switch the output consults.
    // The two are independent: a type may be enabled and not offered.
    struct TypeDefaults {
        const char* msgType;
        std::array<bool, kChannelCount> allowed; // Nmea_1, Nmea_2, LAN
        std::array<bool, kChannelCount> enabled;
    };
    static constexpr std::array<TypeDefaults, kTypeCount> defaults = {{
        {"VBW", {true, true, true}, {true, true, true}},
        {"VLW", {true, true, true}, {true, true, true}},
        {"MTW", {true, true, true}, {true, true, true}},
        {"VHW", {false, false, false}, {true, true, true}},
        {"DPT", {false, false, false}, {true, true, true}},
        {"ROT", {false, false, false}, {false, false, false}},
        {"HDT", {false, false, false}, {false, false, false}},
        {"DLR", {false, false, true}, {false, false, false}},
        {"DLI", {false, false, true}, {false, false, false}},
        {"DLG", {false, false, true}, {false, false, false}},
        {"DLM", {false, false, true}, {false, false, false}},
        {"DATR", {false, false, true}, {false, false, true}},
        {"CUR", {false, false, false}, {true, true, true}},
        {"VBWX", {false, false, false}, {true, true, true}},
    }};

    // The type names of the table, in its order.
    static const QStringList typeList;

    // -1 for a name that is not in the list.
    static int channelIndex(const QString& channel) { return int(channelList.indexOf(channel)); }
    static int typeIndex(const QString& msgType) { return int(typeList.indexOf(msgType)); }
};
