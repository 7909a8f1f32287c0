#include "filereader.h"
#include "platform.h"
#include "setupfilesparser.h"
#include "startup.h"
#include "systemsetup.h"
#include "testroot.h"

#include <gtest/gtest.h>

namespace {
struct PlainCase {
    const char* name;
    const char* fileName;
    QString live;
    QString fresh;
    bool overwriteSerial;
    QString merged;
};

TEST(SetupOverlay, FlatRecordsTakeSharedWellFormedValues) {
    const PlainCase cases[] = {
        {"shared keys only, live spacing", "x", R"({ "a" : 1, "b" : 2 })", R"({"b":5,"c":7})",
         false, R"({ "a" : 1, "b" : 5 })"},
        {"serial kept", "x", R"({ "serialNumber" : 1, "z" : 2 })",
         R"({ "serialNumber" : 9, "z" : 3 })", false, R"({ "serialNumber" : 1, "z" : 3 })"},
        {"serial allowed", "x", R"({ "serialNumber" : 1 })", R"({ "serialNumber" : 9 })", true,
         R"({ "serialNumber" : 9 })"},
        {"truncated new file gives nothing", "x", R"({ "a" : 1, "b" : 2 })", R"({ "a" : 12)", false,
         R"({ "a" : 1, "b" : 2 })"},
        {"value of another kind skipped", "x", R"({ "a" : 1, "s" : "t" })",
         R"({ "a" : "one", "s" : 5 })", false, R"({ "a" : 1, "s" : "t" })"},
        {"text with comma and colon kept whole", "x", R"({ "s" : "a", "n" : 1 })",
         R"({ "s" : "h:1, h:2", "n" : 2 })", false, R"({ "s" : "h:1, h:2", "n" : 2 })"},
        {"standby forced off", "rv_n_003_setup", R"({ "systemInStandby" : true })",
         R"({ "systemInStandby" : true })", false, R"({ "systemInStandby" : false })"},
        {"primary frequency forced high", "vq2_setup",
         R"({ "draft" : 1, "primaryFrequencyHigh" : false })", R"({ "draft" : 2.5 })", false,
         R"({ "draft" : 2.5, "primaryFrequencyHigh" : true })"},
        {"low speed correction forced", "kc40_setup", R"({ "lowSpeedGPS_Correction" : false })", "",
         false, R"({ "lowSpeedGPS_Correction" : true })"},
        {"empty live file untouched", "x", "", R"({ "a" : 2 })", false, ""},
        {"cut off live file untouched", "x", R"({ "a" : 1)", R"({ "a" : 2 })", false,
         R"({ "a" : 1)"},
        {"live list untouched", "x", "[ ]", R"({ "a" : 2 })", false, "[ ]"},
    };
    for (const PlainCase& c : cases) {
        TestRoot root;
        Platform::configure(root.path(), QStringLiteral("lo"));
        root.writeFile(QStringLiteral("/opt/setup_files/") + c.fileName, c.live.toLatin1());
        root.writeFile(QStringLiteral("/new/") + c.fileName, c.fresh.toLatin1());
        SetupFilesParser parser;
        EXPECT_TRUE(parser.tryParseSetups(root.path("/opt/setup_files"), root.path("/new"),
                                          c.overwriteSerial));
        EXPECT_EQ(
            QString::fromLatin1(root.readFile(QStringLiteral("/opt/setup_files/") + c.fileName)),
            c.merged)
            << c.name;
    }
}

struct ArrayCase {
    const char* name;
    QString live;
    QString fresh;
    QString merged;
};

TEST(SetupOverlay, ListsOverlayElementsByTheirKey) {
    const ArrayCase cases[] = {
        {"matching element overlaid, unmatched live kept, new-only dropped",
         R"([ { "auxName" : "A1", "f" : 1 }, { "auxName" : "A2", "f" : 2 } ])",
         R"([ { "auxName" : "A2", "f" : 9 }, { "auxName" : "A3", "f" : 7 } ])",
         R"([ { "auxName" : "A1", "f" : 1 }, { "auxName" : "A2", "f" : 9 } ])"},
        {"two new elements with one key both appear", R"([ { "auxName" : "A1", "f" : 1 } ])",
         R"([ { "auxName" : "A1", "f" : 5 }, { "auxName" : "A1", "f" : 6 } ])",
         R"([ { "auxName" : "A1", "f" : 5 }, { "auxName" : "A1", "f" : 6 } ])"},
        {"object instead of list gives nothing", R"([ { "auxName" : "A1", "f" : 1 } ])",
         R"({ "auxName" : "A1", "f" : 5 })", R"([ { "auxName" : "A1", "f" : 1 } ])"},
    };
    for (const ArrayCase& c : cases) {
        SetupFilesParser parser;
        EXPECT_EQ(parser.overlayLevelOneSetupFiles(c.live, c.fresh, "auxName"), c.merged) << c.name;
    }
}

TEST(SetupOverlay, TripTotalsAreNeverTakenFromAUsbSetup) {
    const std::pair<bool, QByteArray> cases[] = {{true, R"({ "totalDistance" : 1 })"},
                                                 {false, R"({ "totalDistance" : 500 })"}};
    for (const auto& [fromUsb, expected] : cases) {
        TestRoot root;
        Platform::configure(root.path(), QStringLiteral("lo"));
        if (fromUsb) {
            root.writeFile("/opt/new_setup_files/from_usb", "");
        }
        for (const char* name : {"total_trip_setup", "total_trip_SOG_setup"}) {
            root.writeFile(QStringLiteral("/opt/setup_files/") + name,
                           R"({ "totalDistance" : 1 })");
            root.writeFile(QStringLiteral("/new/") + name, R"({ "totalDistance" : 500 })");
        }
        EXPECT_TRUE(SetupFilesParser().tryParseSetups(root.path("/opt/setup_files"),
                                                      root.path("/new"), false));
        EXPECT_EQ(root.readFile("/opt/setup_files/total_trip_setup"), expected);
        EXPECT_EQ(root.readFile("/opt/setup_files/total_trip_SOG_setup"), expected);
    }
}

TEST(FileHelpers, FlagFilesEndInAZeroByte) {
    TestRoot root;
    ASSERT_TRUE(FileReader::rewriteWholeFile("yes", root.path("/opt/version_info/update_now")));
    EXPECT_EQ(root.readFile("/opt/version_info/update_now"), QByteArray("yes\0", 4));
}

struct StartCase {
    StartMode mode;
    QByteArray expectedSerial;
};

// A factory-new unit has no live records yet: the preparation start writes them first, so
// the staged values land and the staging folder goes only then.
TEST(SetupDelivery, StagedSetupsReachAFactoryNewUnit) {
    const StartCase cases[] = {{StartMode::NewSetupFiles, R"("serialNumber" : 99999)"},
                               {StartMode::NewSetupFilesWithSerial, R"("serialNumber" : 4711)"}};
    for (const StartCase& c : cases) {
        TestRoot root;
        Platform::configure(root.path(), QStringLiteral("lo"));
        SystemSetup::resetForTests();
        root.writeFile("/opt/new_setup_files/exist", "");
        root.writeFile("/opt/new_setup_files/vq2_setup", R"({ "draft" : 5.5 })");
        root.writeFile("/opt/new_setup_files/kc40_setup", R"({ "serialNumber" : 4711 })");
        ASSERT_TRUE(StartUp::prepareSetupFiles(c.mode));
        EXPECT_TRUE(root.readFile("/opt/setup_files/vq2_setup").contains(R"("draft" : 5.5)"));
        EXPECT_TRUE(root.readFile("/opt/setup_files/kc40_setup").contains(c.expectedSerial));
        EXPECT_FALSE(root.exists("/opt/new_setup_files"));
        SystemSetup::resetForTests();
    }
}
} // namespace
