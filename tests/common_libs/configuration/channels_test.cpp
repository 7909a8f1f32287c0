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

struct OfferCase {
    const char* name;
    QStringList types;
    QList<bool> enabled;
};

TEST_F(Channels, WithoutFilesEachChannelOffersItsFactoryTypes) {
    const Outpu_Channels_Setup setup;
    const OfferCase cases[] = {
        {"Nmea_1", {"VBW", "VLW", "MTW"}, {true, true, true}},
        {"Nmea_2", {"VBW", "VLW", "MTW"}, {true, true, true}},
        {"LAN",
         {"VBW", "VLW", "MTW", "DLR", "DLI", "DLG", "DLM", "DATR"},
         {true, true, true, false, false, false, false, true}},
        {"Nmea_3", {}, {}},
        {"nmea_1", {}, {}},
    };
    for (const OfferCase& c : cases) {
        EXPECT_EQ(setup.getAvailableMsgsTypes(c.name), c.types) << c.name;
        EXPECT_EQ(setup.getAvailableMsgsEnabled(c.name), c.enabled) << c.name;
    }
    for (const char* file : {"Nmea_1_channel_setup", "Nmea_2_channel_setup", "LAN_channel_setup"}) {
        EXPECT_EQ(recordsIn(file), Config::kTypeCount) << file;
    }
    EXPECT_EQ(setupFile("channels_bauds_setup"),
              R"([ { "channelBaud" : 4800, "channelName" : "Nmea_1" }, )"
              R"({ "channelBaud" : 4800, "channelName" : "Nmea_2" } ])");
    EXPECT_EQ(recordsIn("alarm_msg_types_setup"), 3);
    EXPECT_EQ(recordsIn("channels_decimal_setup"), 2);
}

struct EnableCase {
    const char* type;
    const char* channel;
    bool enabled;
};

TEST_F(Channels, EnabledIsIndependentOfOffered) {
    const Outpu_Channels_Setup setup;
    const EnableCase cases[] = {
        {"VHW", "Nmea_1", true}, {"CUR", "Nmea_2", true},   {"VBWX", "LAN", true},
        {"DATR", "LAN", true},   {"DATR", "Nmea_1", false}, {"ROT", "LAN", false},
        {"DLR", "LAN", false},   {"XDR", "Nmea_1", false},  {"VBW", "Nmea_3", false},
    };
    for (const EnableCase& c : cases) {
        EXPECT_EQ(setup.isEnabled(c.type, c.channel), c.enabled) << c.type << " " << c.channel;
    }
    EXPECT_TRUE(setup.isEnabledByAny("DATR"));
    EXPECT_FALSE(setup.isEnabledByAny("HDT"));
}

struct TableFileCase {
    const char* name;
    std::function<QList<Sing_Ch_Sing_Msg_S>()> table;
    bool used;
};

TEST_F(Channels, OnlyAFullSentenceTableIsUsed) {
    // Every usable file switches ROT on; the factory table has it off.
    auto withRot = [] {
        auto t = defaultTable(0);
        t[5].enabled = true;
        return t;
    };
    const TableFileCase cases[] = {
        {"complete", withRot, true},
        {"other order",
         [&] {
             auto t = withRot();
             std::reverse(t.begin(), t.end());
             return t;
         },
         true},
        {"13 records", [&] { return withRot().mid(0, 13); }, false},
        {"15 records", [&] { return withRot() << withRot()[0]; }, false},
        {"a type twice",
         [&] {
             auto t = withRot();
             t[13].msgType = "VBW";
             return t;
         },
         false},
        {"an unknown type",
         [&] {
             auto t = withRot();
             t[13].msgType = "XDR";
             return t;
         },
         false},
    };
    for (const TableFileCase& c : cases) {
        writeTable("Nmea_1_channel_setup", c.table());
        const Outpu_Channels_Setup setup;
        EXPECT_EQ(setup.isEnabled("ROT", "Nmea_1"), c.used) << c.name;
        EXPECT_EQ(setup.isEnabled("VHW", "Nmea_1"), true) << c.name;
        EXPECT_EQ(recordsIn("Nmea_1_channel_setup"), Config::kTypeCount) << c.name;
        EXPECT_EQ(setup.getAvailableMsgsTypes("Nmea_1"), (QStringList{"VBW", "VLW", "MTW"}));
    }
}

struct LegacyCase {
    const char* name;
    int lanRecords; // 0: no LAN file
    int legacyRecords;
    bool lanDlrEnabled;
    bool nmea1DlrEnabled;
};

// The LAN file switches DLR off, the older network file switches it on.
TEST_F(Channels, TheNetworkChannelFallsBackToItsOlderFile) {
    const LegacyCase cases[] = {
        {"only the older file", 0, 14, true, false},
        {"the LAN file wins", 14, 14, false, false},
        {"a short LAN file gives way", 13, 14, true, false},
        {"both unusable give defaults", 13, 13, false, false},
    };
    for (const LegacyCase& c : cases) {
        for (const char* file :
             {"LAN_channel_setup", "UDPM_channel_setup", "Nmea_1_channel_setup"}) {
            QFile::remove(root.path(QStringLiteral("/opt/setup_files/") + file));
        }
        auto legacy = defaultTable(2);
        legacy[7].enabled = true;
        writeTable("UDPM_channel_setup", legacy.mid(0, c.legacyRecords));
        if (c.lanRecords > 0) {
            writeTable("LAN_channel_setup", defaultTable(2).mid(0, c.lanRecords));
        }
        const Outpu_Channels_Setup setup;
        EXPECT_EQ(setup.isEnabled("DLR", "LAN"), c.lanDlrEnabled) << c.name;
        EXPECT_EQ(setup.isEnabled("DLR", "Nmea_1"), c.nmea1DlrEnabled) << c.name;
    }
}

struct SerialFileCase {
    const char* name;
    QByteArray bauds;
    QByteArray decimals;
    QList<int> expectedBauds; // Nmea_1, Nmea_2, LAN
    QList<bool> expectedDecimals;
};

TEST_F(Channels, SerialValuesNeedBothEntries) {
    const SerialFileCase cases[] = {
        {"both entries",
         R"([ { "channelBaud" : 38400, "channelName" : "Nmea_1" }, )"
         R"({ "channelBaud" : 115200, "channelName" : "Nmea_2" } ])",
         R"([ { "channelName" : "Nmea_1", "useTwoDecimals" : true }, )"
         R"({ "channelName" : "Nmea_2", "useTwoDecimals" : false } ])",
         {38400, 115200, 115200},
         {true, false, false}},
        {"one entry",
         R"([ { "channelBaud" : 38400, "channelName" : "Nmea_1" } ])",
         R"([ { "channelName" : "Nmea_1", "useTwoDecimals" : true } ])",
         {4800, 4800, 4800},
         {false, false, false}},
        {"empty lists", "[ ]", "[ ]", {4800, 4800, 4800}, {false, false, false}},
        {"a rate the outputs cannot run",
         R"([ { "channelBaud" : 9600, "channelName" : "Nmea_1" }, )"
         R"({ "channelBaud" : 38400, "channelName" : "Nmea_2" } ])",
         R"([ { "channelName" : "Nmea_1", "useTwoDecimals" : false }, )"
         R"({ "channelName" : "Nmea_2", "useTwoDecimals" : true } ])",
         {4800, 4800, 4800},
         {false, true, true}},
    };
    for (const SerialFileCase& c : cases) {
        writeSetupFile("channels_bauds_setup", c.bauds);
        writeSetupFile("channels_decimal_setup", c.decimals);
        const Outpu_Channels_Setup setup;
        QList<int> bauds;
        QList<bool> decimals;
        for (const QString& channel : Config::channelList) {
            bauds << setup.getChannelBaudRate(channel);
            decimals << setup.getChannelUseTwoDecimals(channel);
        }
        EXPECT_EQ(bauds, c.expectedBauds) << c.name;
        EXPECT_EQ(decimals, c.expectedDecimals) << c.name;
        EXPECT_EQ(recordsIn("channels_bauds_setup"), 2) << c.name;
    }
}

TEST_F(Channels, AlarmOutputNeedsTheChannelInItsFile) {
    writeSetupFile("alarm_msg_types_setup",
                   R"([ { "channelAlarmMessageType" : "OFF", "channelName" : "Nmea_1" }, )"
                   R"({ "channelAlarmMessageType" : "ON", "channelName" : "Nmea_2" } ])");
    Outpu_Channels_Setup setup;
    EXPECT_FALSE(setup.isAlarmOutputEnabled("Nmea_1"));
    EXPECT_TRUE(setup.isAlarmOutputEnabled("Nmea_2"));
    EXPECT_FALSE(setup.isAlarmOutputEnabled("LAN"));
    EXPECT_FALSE(setup.setChannelAlarmMsgType("LAN", "ON"));
    EXPECT_FALSE(setup.setChannelAlarmMsgType("Nmea_1", "on"));
    EXPECT_FALSE(setup.isAlarmOutputEnabled("Nmea_1"));
    EXPECT_TRUE(setup.setChannelAlarmMsgType("Nmea_1", "ON"));
    EXPECT_TRUE(setup.isAlarmOutputEnabled("Nmea_1"));
}

struct MessageCase {
    const char* channel;
    QList<int> parameters;
};

TEST_F(Channels, FactorySetupMessages) {
    const Outpu_Channels_Setup setup;
    const MessageCase cases[] = {
        {"Nmea_1", {0, 4800, 0, 0, 0, 1, 1, 1, 2, 1}},
        {"Nmea_2", {1, 4800, 0, 0, 0, 1, 1, 1, 2, 1}},
        {"LAN", {2, 4800, 0, 0, 0, 1, 1, 1, 2, 1, 7, 0, 8, 0, 9, 0, 10, 0, 11, 1}},
    };
    for (const MessageCase& c : cases) {
        const auto msg = setup.getChannelSetupMessage(c.channel);
        ASSERT_TRUE(msg) << c.channel;
        EXPECT_EQ(msg->commandID(), 15);
        EXPECT_EQ(msg->msgParameters(), c.parameters) << c.channel;
    }
    EXPECT_EQ(setup.getChannelSetupMessage("Nmea_3"), nullptr);
    EXPECT_EQ(setup.getChannelSetupMessage("Nmea_1")->getMsgBuffer(),
              "$PNRVICM,1,15,0,4800,0,0,0,1,1,1,2,1*56\r\n");
}

TEST_F(Channels, DefaultsKeepTheDecimals) {
    Outpu_Channels_Setup setup;
    setup.setEnabled("Nmea_1", "VBW", false);
    setup.setChannelBaudRate("Nmea_2", 38400);
    setup.setChannelAlarmMsgType("LAN", "OFF");
    setup.setChannelUseTwoDecimals("Nmea_1", true);
    setup.getDefaults();
    EXPECT_TRUE(setup.isEnabled("VBW", "Nmea_1"));
    EXPECT_EQ(setup.getChannelBaudRate("Nmea_2"), 4800);
    EXPECT_TRUE(setup.isAlarmOutputEnabled("LAN"));
    EXPECT_TRUE(setup.getChannelUseTwoDecimals("Nmea_1"));
    EXPECT_EQ(setupFile("channels_bauds_setup").count("4800"), 2);
}

// Every change reaches its file; a fresh start and a snapshot give it back.
TEST_F(Channels, ChangesSurviveARestartAndASnapshot) {
    {
        Outpu_Channels_Setup setup;
        setup.setEnabled("LAN", "DLG", true);
        setup.setEnabled("Nmea_2", "MTW", false);
        setup.setChannelBaudRate("Nmea_1", 115200);
        setup.setChannelUseTwoDecimals("Nmea_2", true);
        setup.setChannelAlarmMsgType("Nmea_2", "OFF");
        ASSERT_TRUE(setup.saveToFile("_ship"));
    }
    auto check = [](const Outpu_Channels_Setup& setup, const char* when) {
        EXPECT_TRUE(setup.isEnabled("DLG", "LAN")) << when;
        EXPECT_FALSE(setup.isEnabled("MTW", "Nmea_2")) << when;
        EXPECT_EQ(setup.getChannelBaudRate("Nmea_1"), 115200) << when;
        EXPECT_TRUE(setup.getChannelUseTwoDecimals("Nmea_2")) << when;
        EXPECT_FALSE(setup.isAlarmOutputEnabled("Nmea_2")) << when;
    };
    Outpu_Channels_Setup restarted;
    check(restarted, "after a restart");
    EXPECT_TRUE(root.exists("/opt/setup_files/saved_configs/LAN_channel_setup_ship"));
    restarted.getDefaults();
    restarted.setChannelUseTwoDecimals("Nmea_2", false);
    ASSERT_TRUE(restarted.loadFromFile("_ship"));
    check(restarted, "after loading the snapshot");
    EXPECT_FALSE(restarted.loadFromFile("_missing"));
}
} // namespace
