#include "pseudoterminal.h"
#include "testroot.h"
#include "unitprocess.h"
#include "waitfor.h"

#include <gtest/gtest.h>

namespace {
const QByteArray kReload("$PNRVFIRM\0\r\n", 12);

TEST(SensorSupervisionRun, SilentSensorGetsItsLogicReloadedAgainAndAgain) {
    TestRoot root;
    root.writeFile("/opt/previously_running/1.2.1.2.ver", {});
    PseudoTerminal sensor(root.path("/dev/ttyS3"));
    UnitProcess unit(KC40_BINARY, root.path());
    unit.start();
    ASSERT_TRUE(unit.waitForLog("/dev/ttyS3", 10000)) << unit.log().constData();

    // Never a sensor sentence: a reload every five seconds, before and after the sensor-lost
    // check at sixteen.
    QByteArray fromUnit;
    EXPECT_TRUE(waitFor(
        [&] {
            fromUnit += sensor.read(20);
            return fromUnit.count(kReload) >= 4;
        },
        40000))
        << fromUnit.count(kReload) << " reloads\n"
        << unit.log().constData();
    EXPECT_TRUE(unit.isRunning());
}
} // namespace
