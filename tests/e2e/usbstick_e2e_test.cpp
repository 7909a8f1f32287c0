#include "displayrun.h"

#include <QDir>

namespace {
constexpr int kConfirmMs = 5000;
const QByteArray kInStandby = R"("systemInStandby" : true)";

// The unit on its board while a USB stick is put in and pulled, as a service engineer does.
class StickRun : public DisplayRun {
protected:
    StickRun() : DisplayRun(kRcom) { QDir().mkpath(root.path("/media/usb0")); }

    void insertStick() { root.writeFile("/etc/mtab", "/dev/sda1 /media/usb0 vfat rw 0 0\n"); }
    void pullStick() { root.writeFile("/etc/mtab", "/dev/root / ext4 rw 0 0\n"); }
    QByteArray onStick(const QString& path) const { return root.readFile("/media/usb0/" + path); }
    // Where the unit's folders go on the stick, once they are there.
    QString downloaded() const {
        const QStringList units = QDir(root.path("/media/usb0/norvane/downloaded_setups"))
                                      .entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        return units.size() == 1 ? "norvane/downloaded_setups/" + units.first() : QString();
    }
    QByteArray standbyOnStick() const { return onStick(downloaded() + "/setup/rv_n_003_setup"); }
};

TEST_F(StickRun, AStickInsertedReceivesTheLogAndTheSettingsUntilItIsPulled) {
    start();
    ASSERT_TRUE(joined());
    insertStick();
    ASSERT_TRUE(listenUntil([&] { return !onStick("Main Unit00000001.txt").isEmpty(); }, 5000));
    // Lines end in CR LF; the unit has no time from the ship's equipment yet.
    const QByteArray log = onStick("Main Unit00000001.txt");
    EXPECT_TRUE(log.endsWith("\r\n"));
    EXPECT_EQ(log.count('\n'), log.count("\r\n"));
    EXPECT_TRUE(log.contains("\t000000.000\r\n")) << log.constData();
    ASSERT_FALSE(downloaded().isEmpty());
    EXPECT_FALSE(onStick(downloaded() + "/setup/kc40_setup").isEmpty());
    EXPECT_FALSE(onStick(downloaded() + "/log_files/Error_count_log").isEmpty());

    // A setting changed from the display is mirrored at once.
    sendOnLan(QStringLiteral("PNRVICM,1,9,1"));
    ASSERT_TRUE(listenUntil([&] { return standbyOnStick().contains(kInStandby); }, kConfirmMs))
        << standbyOnStick().constData();
    EXPECT_EQ(standbyOnStick(), root.readFile("/opt/setup_files/rv_n_003_setup"));

    pullStick();
    listenFor(2000);
    const QByteArray logAtPull = onStick("Main Unit00000001.txt");
    sendOnLan(QStringLiteral("PNRVICM,1,9,0"));
    ASSERT_TRUE(listenUntil(
        [&] { return !root.readFile("/opt/setup_files/rv_n_003_setup").contains(kInStandby); },
        kConfirmMs));
    listenFor(3000);
    EXPECT_EQ(onStick("Main Unit00000001.txt"), logAtPull);
    EXPECT_TRUE(standbyOnStick().contains(kInStandby));
    EXPECT_EQ(QDir(root.path("/media/usb0")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"Main Unit00000001.txt"});
}

TEST_F(StickRun, ASetupOfferedOnTheStickIsTakenOverAfterTheRestart) {
    root.writeFile("/media/usb0/norvane/upload_new_setup/kc40_setup",
                   R"({ "group" : "RCOM", "unitName" : "Bridge Log" })");
    start();
    ASSERT_TRUE(joined());
    const qint64 before = unit.runningPid();
    insertStick();
    ASSERT_TRUE(listenUntil(
        [&] { return unit.runningPid() != before && processAlive(unit.runningPid()); }, 10000))
        << unit.log().constData();
    EXPECT_TRUE(listenUntil(
        [&] { return root.readFile("/opt/setup_files/kc40_setup").contains("Bridge Log"); },
        10000));
    // The fresh copy finds the stick in and logs under its new name; the offer is not taken twice.
    EXPECT_TRUE(listenUntil([&] { return !onStick("Bridge Log00000001.txt").isEmpty(); }, 10000));
    const QString serial = downloaded().section('/', -1);
    EXPECT_TRUE(root.exists("/media/usb0/norvane/" + serial + "_setup_copied"));
    EXPECT_FALSE(root.exists("/opt/new_setup_files"));
    const qint64 fresh = unit.runningPid();
    listenFor(3000);
    EXPECT_EQ(unit.runningPid(), fresh);
}

} // namespace
