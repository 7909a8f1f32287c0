#include "multicasttesting.h"
#include "pseudoterminal.h"
#include "testroot.h"
#include "unitprocess.h"
#include "waitfor.h"

#include <gtest/gtest.h>

namespace {
const QHostAddress kSrpGroup(QStringLiteral("239.192.0.56"));
const QHostAddress kNavdGroup(QStringLiteral("239.192.0.4"));

TEST(NetworkRun, AnnouncesItselfOnSrpAndHearsItsGroup) {
    REQUIRE_LOOPBACK_MULTICAST();
    TestRoot root;
    root.writeFile("/opt/previously_running/1.2.1.2.ver", {});
    GroupListener srp(kSrpGroup, 60056);
    ASSERT_TRUE(srp.opened);

    UnitProcess unit(KC40_BINARY, root.path());
    unit.start();
    ASSERT_TRUE(waitFor([&] { return !srp.parsedContaining("SRP").empty(); }, 10000))
        << unit.log().constData();
    const auto announcements = srp.parsedContaining("SRP");
    ASSERT_TRUE(announcements.front()->bValid);
    EXPECT_TRUE(announcements.front()->getBuffer().contains("s:VD0101"));

    // A sentence from the alert manager's identity reaches the unit's sentence handling.
    MulticastSocket navd;
    ASSERT_TRUE(navd.open(kNavdGroup, 60004, QStringLiteral("lo")));
    const QByteArray datagram = wire("\\s:QZ1111,n:15*3E\\$GPHDT,123.4,T*31\r\n");
    EXPECT_TRUE(waitFor(
        [&] {
            navd.send(datagram);
            return unit.waitForLog("received from 0: HDT error 0", 200);
        },
        10000))
        << unit.log().constData();
}
TEST(NetworkRun, SensorMonitoringReachesTheNetwork) {
    REQUIRE_LOOPBACK_MULTICAST();
    TestRoot root;
    root.writeFile("/opt/previously_running/1.2.1.2.ver", {});
    PseudoTerminal sensor(root.path("/dev/ttyS3"));
    GroupListener navd(kNavdGroup, 60004);
    ASSERT_TRUE(navd.opened);
    UnitProcess unit(KC40_BINARY, root.path());
    unit.start();
    ASSERT_TRUE(unit.waitForLog("/dev/ttyS3", 10000)) << unit.log().constData();

    sensor.write("$PNRVDAT,4,+10.5,9,-0.5,8,+21.0,0,0,0,+10.0,9,-1.5,9,45.5,46.0*56\r\n");
    // ICM 32: the DAT's speeds, qualities and depths in hundredths, for service tools.
    const QString monitoring = QStringLiteral(",32,1050,-50,1000,-150,9,8,9,9,4550,4600,");
    EXPECT_TRUE(waitFor([&] { return !navd.parsedContaining(monitoring).empty(); }, 10000))
        << unit.log().constData();
}
} // namespace
