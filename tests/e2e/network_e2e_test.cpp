#include "multicasttesting.h"
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
} // namespace
