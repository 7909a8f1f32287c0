#include "freshunit.h"
#include "logger.h"
#include "usb_setup_manipulation.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

struct ExchangeCase {
    const char* name;
    quint32 serial;
    QStringList onStick; // files on the stick, under "norvane/"
    bool relaunches;     // the fresh copy starts
    QStringList staged;  // expected files under /opt
    QStringList marked;  // expected markers on the stick, under "norvane/"
    int relaunched;
};

TEST(UsbExchange, OfferedSetupIsStagedCompleteOrNotAtAll) {
    const QStringList setup{"upload_new_setup/kc40_setup"};
    const QStringList both{"upload_new_setup/kc40_setup", "upload_new_configuration/conf"};
    const ExchangeCase cases[] = {
        {"nothing offered", 1234, {}, true, {}, {}, 0},
        {"configuration alone is not taken",
         1234,
         {"upload_new_configuration/conf"},
         true,
         {},
         {},
         0},
        {"taken before by this unit",
         1234,
         setup + QStringList{"1234_setup_copied"},
         true,
         {},
         {},
         0},
        {"setup and configuration",
         1234,
         both,
         true,
         {"new_setup_files/kc40_setup", "new_setup_files/exist", "new_setup_files/from_usb",
          "new_configuration_files/conf", "new_configuration_files/exist"},
         {"1234_setup_copied", "1234_config_copied"},
         1},
        {"unit without serial number",
         99999,
         setup,
         true,
         {"new_setup_files/exist", "new_setup_files/from_usb", "new_setup_files/overwrite_serial"},
         {"99999_setup_copied"},
         1},
        {"fresh copy cannot start",
         1234,
         setup,
         false,
         {"new_setup_files/exist"},
         {"1234_setup_copied"},
         1},
    };
    for (const ExchangeCase& c : cases) {
        FreshUnitRoot root;
        root.writeFile("/opt/setup_files/kc40_setup",
                       QByteArray(R"({ "serialNumber" : )") + QByteArray::number(c.serial) + " }");
        root.writeFile("/opt/log_files/Error_count_log", "{}");
        for (const QString& file : c.onStick) {
            root.writeFile("/media/usb0/norvane/" + file, "offered");
        }
        int relaunched = 0;
        USB_setup_manipulation exchange(*Logger::instance(), [&] {
            ++relaunched;
            return c.relaunches;
        });
        exchange.slotDeviceDetected();

        const QString downloaded =
            "/media/usb0/norvane/downloaded_setups/" + QString::number(c.serial);
        EXPECT_TRUE(root.exists(downloaded + "/setup/kc40_setup")) << c.name;
        EXPECT_TRUE(root.exists(downloaded + "/log_files/Error_count_log")) << c.name;
        for (const QString& file : c.staged) {
            EXPECT_TRUE(root.exists("/opt/" + file)) << c.name << " " << qPrintable(file);
        }
        if (c.staged.isEmpty()) {
            EXPECT_FALSE(root.exists("/opt/new_setup_files")) << c.name;
        }
        for (const QString& file : c.marked) {
            EXPECT_TRUE(root.exists("/media/usb0/norvane/" + file)) << c.name;
        }
        EXPECT_EQ(relaunched, c.relaunched) << c.name;
    }
}

TEST(UsbExchange, FailedCopyStagesNothingAndDoesNotRestart) {
    FreshUnitRoot root;
    root.writeFile("/opt/new_setup_files/stale", "left from before");
    root.writeFile("/media/usb0/norvane/upload_new_setup/kc40_setup", "offered");
    QFile::link(root.path("/nowhere"), root.path("/media/usb0/norvane/upload_new_setup/lost"));
    int relaunched = 0;
    USB_setup_manipulation exchange(*Logger::instance(), [&] { return ++relaunched > 0; });
    exchange.slotDeviceDetected();
    EXPECT_FALSE(root.exists("/opt/new_setup_files"));
    EXPECT_FALSE(root.exists("/media/usb0/norvane/99999_setup_copied"));
    EXPECT_EQ(relaunched, 0);
}

TEST(UsbExchange, SavedFileIsMirroredOnlyWhileAStickIsIn) {
    FreshUnitRoot root;
    root.writeFile("/opt/setup_files/kc40_setup", "{}");
    root.writeFile("/opt/setup_files/other_setup", "{}");
    root.writeFile("/media/usb0/.keep", "");
    USB_setup_manipulation exchange(*Logger::instance(), [] { return false; });
    const QString setupOnStick = "/media/usb0/norvane/downloaded_setups/99999/setup/";

    exchange.slotCopyFileToStick("kc40_setup");
    EXPECT_FALSE(root.exists("/media/usb0/norvane"));

    root.writeFile("/etc/mtab", "/dev/sda1 /media/usb0 vfat rw 0 0\n");
    exchange.slotCopyFileToStick("kc40_setup");
    EXPECT_TRUE(root.exists(setupOnStick + "kc40_setup"));
    EXPECT_FALSE(root.exists(setupOnStick + "other_setup"));
}

} // namespace
