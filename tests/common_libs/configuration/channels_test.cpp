#include "channels/default_channels_config.h"
#include "channels/outpu_channels_setup.h"
#include "configurationfixture.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <functional>

namespace {
using Config = Default_Channels_config;

QList<Sing_Ch_Sing_Msg_S> defaultTable(int channel) {
    QList<Sing_Ch_Sing_Msg_S> table;
    for (const auto& type : Config::defaults) {
        Sing_Ch_Sing_Msg_S record;
        record.msgType = QLatin1String(type.msgType);
        record.enabled = type.enabled[channel];
        record.allowed = type.allowed[channel];
        table.append(record);
    }
    return table;
}

class Channels : public ConfigurationTest {
protected:
    void writeTable(const QString& fileName, const QList<Sing_Ch_Sing_Msg_S>& table) const {
        ASSERT_TRUE(SerializationController::Serialize(table, fileName,
                                                       SerializationController::kSetupFolder));
    }
    qsizetype recordsIn(const QString& fileName) const {
        return QJsonDocument::fromJson(setupFile(fileName)).array().size();
    }
};

// A sentence type is on or off for a channel whether or not the channel offers it; a channel
// the unit does not have has none.
TEST_F(Channels, EnabledIsIndependentOfOffered) {
    const Outpu_Channels_Setup setup;
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"VHW", "Nmea_1", true}, {"DATR", "LAN", true},    {"DATR", "Nmea_1", false},
        {"DLR", "LAN", false},   {"VBW", "Nmea_3", false}, {"VBW", "nmea_1", false}};
    for (const auto& [type, channel, enabled] : cases) {
        EXPECT_EQ(setup.isEnabled(type, channel), enabled) << type << " " << channel;
    }
    EXPECT_TRUE(setup.isEnabledByAny("DATR"));
    EXPECT_FALSE(setup.isEnabledByAny("HDT"));
    EXPECT_TRUE(setup.getAvailableMsgsTypes("Nmea_3").isEmpty());
}

// Every usable file switches ROT on; the factory table has it off.
TEST_F(Channels, OnlyAFullSentenceTableIsUsed) {
    using Table = QList<Sing_Ch_Sing_Msg_S>;
    const struct {
        const char* name;
        std::function<void(Table&)> change;
        bool used;
    } cases[] = {
        {"complete", [](Table&) {}, true},
        {"other order", [](Table& t) { std::reverse(t.begin(), t.end()); }, true},
        {"13 records", [](Table& t) { t.removeLast(); }, false},
        {"15 records", [](Table& t) { t << t[0]; }, false},
        {"a type twice", [](Table& t) { t[13].msgType = "VBW"; }, false},
        {"an unknown type", [](Table& t) { t[13].msgType = "XDR"; }, false},
    };
    for (const auto& c : cases) {
        Table table = defaultTable(0);
        table[5].enabled = true;
        c.change(table);
        writeTable("Nmea_1_channel_setup", table);
        const Outpu_Channels_Setup setup;
        EXPECT_EQ(setup.isEnabled("ROT", "Nmea_1"), c.used) << c.name;
        EXPECT_EQ(setup.isEnabled("VHW", "Nmea_1"), true) << c.name;
        EXPECT_EQ(recordsIn("Nmea_1_channel_setup"), Config::kTypeCount) << c.name;
        EXPECT_EQ(setup.getAvailableMsgsTypes("Nmea_1"), (QStringList{"VBW", "VLW", "MTW"}));
    }
}

// The LAN file switches DLR off, the older network file switches it on.
TEST_F(Channels, TheNetworkChannelFallsBackToItsOlderFile) {
    const std::tuple<int, int, bool> cases[] = {
        // records in the LAN file (0: none) and in the older one, DLR on for LAN
        {0, 14, true},
        {14, 14, false},
        {13, 14, true},
        {13, 13, false}};
    for (const auto& [lanRecords, legacyRecords, dlrOn] : cases) {
        for (const char* file : {"LAN_channel_setup", "UDPM_channel_setup"}) {
            QFile::remove(root.path(QStringLiteral("/opt/setup_files/") + file));
        }
        auto legacy = defaultTable(2);
        legacy[7].enabled = true;
        writeTable("UDPM_channel_setup", legacy.mid(0, legacyRecords));
        if (lanRecords > 0) {
            writeTable("LAN_channel_setup", defaultTable(2).mid(0, lanRecords));
        }
        const Outpu_Channels_Setup setup;
        EXPECT_EQ(setup.isEnabled("DLR", "LAN"), dlrOn) << lanRecords << " " << legacyRecords;
        EXPECT_FALSE(setup.isEnabled("DLR", "Nmea_1")) << lanRecords << " " << legacyRecords;
    }
}

// A serial value needs entries of both outputs and a rate they can run; a list short of one
// gives the factory values. The network channel follows Nmea_2.
TEST_F(Channels, SerialValuesNeedBothEntries) {
    auto file = [](const char* key, const QList<QVariant>& values) {
        QStringList entries;
        for (qsizetype i = 0; i < values.size(); ++i) {
            entries << QStringLiteral(R"({ "%1" : %2, "channelName" : "Nmea_%3" })")
                           .arg(key, values[i].toString(), QString::number(i + 1));
        }
        return ("[ " + entries.join(", ") + " ]").toLatin1();
    };
    const struct {
        QList<QVariant> bauds;
        QList<QVariant> decimals;
        QList<int> expectedBauds; // Nmea_1, Nmea_2, LAN
        QList<bool> expectedDecimals;
    } cases[] = {
        {{38400, 115200}, {true, false}, {38400, 115200, 115200}, {true, false, false}},
        {{38400}, {true}, {4800, 4800, 4800}, {false, false, false}},
        {{}, {}, {4800, 4800, 4800}, {false, false, false}},
        {{9600, 38400}, {false, true}, {4800, 4800, 4800}, {false, true, true}},
    };
    for (const auto& c : cases) {
        writeSetupFile("channels_bauds_setup", file("channelBaud", c.bauds));
        writeSetupFile("channels_decimal_setup", file("useTwoDecimals", c.decimals));
        const Outpu_Channels_Setup setup;
        QList<int> bauds;
        QList<bool> decimals;
        for (const QString& channel : Config::channelList) {
            bauds << setup.getChannelBaudRate(channel);
            decimals << setup.getChannelUseTwoDecimals(channel);
        }
        EXPECT_EQ(bauds, c.expectedBauds) << c.bauds.size();
        EXPECT_EQ(decimals, c.expectedDecimals) << c.bauds.size();
        EXPECT_EQ(recordsIn("channels_bauds_setup"), 2);
    }
}

// An alarm output is on only for a channel its file names.
TEST_F(Channels, AlarmOutputNeedsTheChannelInItsFile) {
    writeSetupFile("alarm_msg_types_setup",
                   R"([ { "channelAlarmMessageType" : "OFF", "channelName" : "Nmea_1" }, )"
                   R"({ "channelAlarmMessageType" : "ON", "channelName" : "Nmea_2" } ])");
    const Outpu_Channels_Setup setup;
    EXPECT_EQ(
        (QList<bool>{setup.isAlarmOutputEnabled("Nmea_1"), setup.isAlarmOutputEnabled("Nmea_2"),
                     setup.isAlarmOutputEnabled("LAN")}),
        (QList<bool>{false, true, false}));
}

// The network channel lists only the types it offers, each with its number in the table.
TEST_F(Channels, SetupMessagesListTheOfferedTypes) {
    const Outpu_Channels_Setup setup;
    EXPECT_EQ(setup.getChannelSetupMessage("LAN")->msgParameters(),
              (QList<int>{2, 4800, 0, 0, 0, 1, 1, 1, 2, 1, 7, 0, 8, 0, 9, 0, 10, 0, 11, 1}));
    EXPECT_EQ(setup.getChannelSetupMessage("Nmea_1")->getMsgBuffer(),
              "$PNRVICM,1,15,0,4800,0,0,0,1,1,1,2,1*56\r\n");
    EXPECT_EQ(setup.getChannelSetupMessage("Nmea_3"), nullptr);
}
} // namespace
