#include "pseudoterminal.h"
#include "testroot.h"
#include "unitprocess.h"
#include "waitfor.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <memory>

namespace {
const QString kVersionMarker = QStringLiteral("/opt/previously_running/1.2.1.2.ver");

TEST(StartUpRun, VersionReportWritesTheStampAndStartsNothing) {
    TestRoot root;
    PseudoTerminal ttyS1(root.path("/dev/ttyS1"));
    UnitProcess unit(KC40_BINARY, root.path());
    unit.start({"-qws", "-Version"});

    EXPECT_EQ(unit.waitForExit(10000), 0);
    EXPECT_TRUE(QRegularExpression("^\\d{12}$")
                    .match(QString::fromLatin1(root.readFile("/opt/norvane_version")))
                    .hasMatch());
    EXPECT_FALSE(unit.log().contains("Opened port"));
    EXPECT_FALSE(root.exists("/opt/previously_running"));
}

TEST(StartUpRun, FirstRunOfAVersionRestartsItselfOnTheSameRoot) {
    TestRoot root;
    UnitProcess unit(KC40_BINARY, root.path());
    unit.start();

    EXPECT_EQ(unit.waitForExit(10000), 0);
    EXPECT_TRUE(unit.log().contains("Restarting the app..."));
    EXPECT_TRUE(root.exists(kVersionMarker));
    EXPECT_TRUE(root.exists("/opt/backup_setup_files"));
    EXPECT_TRUE(root.exists("/opt/backup_configuration_files"));
    // The fresh copy runs on the same root and announces itself there.
    ASSERT_TRUE(waitFor([&] { return processAlive(unit.runningPid()); }, 10000));
}

TEST(StartUpRun, RunsOnWithAMissingLineAndReadsTheOthers) {
    TestRoot root;
    root.writeFile(kVersionMarker, {});
    std::unique_ptr<PseudoTerminal> lines[] = {
        std::make_unique<PseudoTerminal>(root.path("/dev/ttyS0")),
        std::make_unique<PseudoTerminal>(root.path("/dev/ttyS1")),
        std::make_unique<PseudoTerminal>(root.path("/dev/ttyS3")),
    };
    UnitProcess unit(KC40_BINARY, root.path());
    unit.start();

    ASSERT_TRUE(unit.waitForLog("/dev/ttyS0 at 115200", 10000)) << unit.log().constData();
    EXPECT_TRUE(unit.log().contains("Serial line ttyS2 is not available"));
    lines[1]->write("$GPHDT,123.4,T*31\r\n");
    EXPECT_TRUE(unit.waitForLog("received from 1: HDT error 0", 5000)) << unit.log().constData();
    lines[2]->write("$PNRVXYZ,1,2*42\r\n");
    EXPECT_TRUE(unit.waitForLog("received from -1: XYZ error 0", 5000)) << unit.log().constData();
    EXPECT_TRUE(unit.isRunning());
}
} // namespace
