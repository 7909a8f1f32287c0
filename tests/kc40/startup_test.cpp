#include "platform.h"
#include "startup.h"
#include "testroot.h"

#include <gtest/gtest.h>

#include <tuple>

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

TEST_F(StartUpOnRoot, MarkersChooseTheStartMode) {
    const std::tuple<const char*, bool, bool, bool, StartMode> cases[] = {
        {"Normal", true, false, false, StartMode::Normal},
        {"NewSetups", true, true, false, StartMode::NewSetupFiles},
        {"NewSetupsWithSerial", true, true, true, StartMode::NewSetupFilesWithSerial},
        {"SerialMarkerAlone", true, false, true, StartMode::Normal},
        {"NewVersion", false, true, true, StartMode::FirstRunOfVersion},
    };
    for (const auto& [name, version, newSetups, overwriteSerial, mode] : cases) {
        TestRoot fresh;
        Platform::configure(fresh.path(), QString());
        if (version) {
            fresh.writeFile(versionMarker(), {});
        }
        if (newSetups) {
            fresh.writeFile("/opt/new_setup_files/exist", {});
        }
        if (overwriteSerial) {
            fresh.writeFile("/opt/new_setup_files/overwrite_serial", {});
        }
        EXPECT_EQ(StartUp::chooseStartMode(), mode) << name;
    }
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

} // namespace
