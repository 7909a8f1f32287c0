#include "platform.h"
#include "startup.h"
#include "testroot.h"

#include <gtest/gtest.h>

namespace {
class StartUpOnRoot : public ::testing::Test {
protected:
    void SetUp() override { Platform::configure(root.path(), QString()); }
    void TearDown() override { Platform::configure(QString(), QString()); }

    static QString versionMarker() {
        return QStringLiteral("/opt/previously_running/") + StartUp::kVersionText + ".ver";
    }

    TestRoot root;
};

struct MarkerCase {
    const char* name;
    bool version;
    bool newSetups;
    bool overwriteSerial;
    StartMode mode;
};

TEST_F(StartUpOnRoot, MarkersChooseTheStartMode) {
    const MarkerCase cases[] = {
        {"Normal", true, false, false, StartMode::Normal},
        {"NewSetups", true, true, false, StartMode::NewSetupFiles},
        {"NewSetupsWithSerial", true, true, true, StartMode::NewSetupFilesWithSerial},
        {"SerialMarkerAlone", true, false, true, StartMode::Normal},
        {"NewVersion", false, true, true, StartMode::FirstRunOfVersion},
    };
    for (const MarkerCase& c : cases) {
        TestRoot fresh;
        Platform::configure(fresh.path(), QString());
        if (c.version) {
            fresh.writeFile(versionMarker(), {});
        }
        if (c.newSetups) {
            fresh.writeFile("/opt/new_setup_files/exist", {});
        }
        if (c.overwriteSerial) {
            fresh.writeFile("/opt/new_setup_files/overwrite_serial", {});
        }
        EXPECT_EQ(StartUp::chooseStartMode(), c.mode) << c.name;
    }
}

TEST_F(StartUpOnRoot, FirstRunOfAVersionMarksItAndBacksUp) {
    root.writeFile("/opt/previously_running/1.0.0.0.ver", {});
    root.writeFile("/opt/setup_files/kc40_setup", "{ \"a\" : 1 }");

    EXPECT_EQ(StartUp::chooseStartMode(), StartMode::FirstRunOfVersion);
    EXPECT_TRUE(root.exists(versionMarker()));
    EXPECT_FALSE(root.exists("/opt/previously_running/1.0.0.0.ver"));
    EXPECT_EQ(root.readFile("/opt/backup_setup_files/kc40_setup"), "{ \"a\" : 1 }");
    EXPECT_TRUE(root.exists("/opt/backup_configuration_files"));
    EXPECT_EQ(StartUp::chooseStartMode(), StartMode::Normal);
}

TEST_F(StartUpOnRoot, DeliveredConfigurationReplacesTheLiveOneAndKeepsABackup) {
    root.writeFile("/opt/configuration_files/Speed_calibration_config", "old");
    root.writeFile("/opt/configuration_files/only_old", "old");
    root.writeFile("/opt/new_configuration_files/exist", {});
    root.writeFile("/opt/new_configuration_files/Speed_calibration_config", "new");

    EXPECT_TRUE(StartUp::deliverConfiguration());
    EXPECT_EQ(root.readFile("/opt/configuration_files/Speed_calibration_config"), "new");
    EXPECT_FALSE(root.exists("/opt/configuration_files/only_old"));
    EXPECT_EQ(root.readFile("/opt/backup_configuration_files_usb/only_old"), "old");
    EXPECT_FALSE(root.exists("/opt/new_configuration_files"));
}

TEST_F(StartUpOnRoot, FailedDeliveryLeavesTheLiveConfigurationAndTheStagedFiles) {
    root.writeFile("/opt/configuration_files/Speed_calibration_config", "calibrated");
    root.writeFile("/opt/new_configuration_files/exist", {});
    root.writeFile("/opt/new_configuration_files/Speed_calibration_config", "new");
    // A file where the copy's working folder must go makes the copy fail.
    root.writeFile("/opt/configuration_files.incoming", "in the way");

    EXPECT_FALSE(StartUp::deliverConfiguration());
    EXPECT_EQ(root.readFile("/opt/configuration_files/Speed_calibration_config"), "calibrated");
    EXPECT_EQ(root.readFile("/opt/new_configuration_files/Speed_calibration_config"), "new");
}

TEST_F(StartUpOnRoot, StagedSetupsAreRemovedOnlyAfterTheyWereTakenOver) {
    root.writeFile("/opt/new_setup_files/exist", {});
    root.writeFile("/opt/new_setup_files/vq2_setup", "{ \"a\" : 1 }");
    EXPECT_TRUE(StartUp::prepareSetupFiles(StartMode::NewSetupFiles));
    EXPECT_FALSE(root.exists("/opt/new_setup_files"));
}

TEST_F(StartUpOnRoot, VersionFileHoldsTheStampAlone) {
    EXPECT_TRUE(StartUp::writeVersionFile("261206190006"));
    EXPECT_EQ(root.readFile("/opt/norvane_version"), "261206190006");
}
} // namespace
