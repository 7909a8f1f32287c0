// The board's network settings changed from a display: what the board's network service is
// given, and what the ship's network then sees of the unit.
#include "displayrun.h"
#include "msgsrp.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kHead = "#Norvane\n\nauto lo\niface lo inet loopback\n\n\n";

QByteArray eth0Block(const char* address, const char* gateway, const char* mac) {
    return QByteArray("auto eth0 \niface eth0 inet static \naddress ") + address +
           "\nnetmask 255.255.255.0\ngateway " + gateway + "\nhwaddress ether " + mac + "\n\n\n";
}

// A board installed at 172.16.1.101 on the ship's network (MISC).
class NetworkSettingsRun : public DisplayRun {
protected:
    NetworkSettingsRun() : DisplayRun(kMisc) {
        root.writeFile(QStringLiteral("/etc/network/interfaces"),
                       kHead + eth0Block("172.16.1.101", "172.16.1.1", "00:11:22:33:44:55"));
    }

    void SetUp() override {
        DisplayRun::SetUp();
        ASSERT_TRUE(srp.opened);
    }

    // The unit's last announcement on the SRP group.
    std::shared_ptr<MsgSRP> lastAnnouncement() const {
        std::shared_ptr<MsgSRP> last;
        for (const auto& group : srp.parsedContaining(QStringLiteral("s:") + kUnitSfi)) {
            for (const UdpMulticastSingleMsg& line : group->msgsList) {
                if (auto announced = std::dynamic_pointer_cast<MsgSRP>(line.nmeaMessage)) {
                    last = announced;
                }
            }
        }
        return last;
    }
    bool announces(const char* ip, const char* mac) const {
        const std::shared_ptr<MsgSRP> last = lastAnnouncement();
        return last && last->strIP() == QLatin1String(ip) && last->strMAC() == QLatin1String(mac);
    }
    QByteArray boardFile() const {
        return root.readFile(QStringLiteral("/etc/network/interfaces"));
    }
    QByteArray boardCommands() const { return root.readFile(QStringLiteral("/board_commands")); }

    // A display asks to pair; the unit's confirmation carries its hardware address.
    bool pairingConfirmedWith(const char* mac) {
        const qsizetype from = lan.heard.size();
        sendOnLan(QStringLiteral("PNRVIDM,1,1,Request,1.2.1.2,00:AA:BB:CC:DD:EE"));
        return waitForLan(QStringLiteral("$PNRVIDM,1,1,Confirm,1.2.1.2,") + mac, 5000, from);
    }

    GroupListener srp{QHostAddress(QStringLiteral("239.192.0.56")), 60056};
};

TEST_F(NetworkSettingsRun, ANewAddressFromTheDisplayGoesToTheBoardAndIsAnnounced) {
    start();
    ASSERT_TRUE(joined()) << unit.log().constData();
    ASSERT_TRUE(listenUntil([&] { return announces("172.16.1.101", "00:11:22:33:44:55"); }, 5000))
        << "the board's address before the change";

    // Junction-box identity: 10.0.0.7, the same ID, group, alarm ID, serial and hardware.
    const qsizetype from = lan.heard.size();
    sendOnLan(QStringLiteral("PNRVICM,1,10,10,0,0,7,101,0,67,65,1235,99999,1,2,1,2,66,1"));
    EXPECT_TRUE(waitForLan(QStringLiteral("$PNRVICM,1,10,10,0,0,7,101,0,"), 5000, from))
        << "the display is told the new identity";
    EXPECT_TRUE(listenUntil([&] { return announces("10.0.0.7", "00:11:22:33:44:55"); }, 5000))
        << unit.log().constData();

    // Another network: the old gateway is out of reach, the new one derived.
    EXPECT_EQ(boardFile(), kHead + eth0Block("10.0.0.7", "10.0.0.1", "00:11:22:33:44:55"));
    EXPECT_EQ(boardCommands(), "/etc/init.d/S40network restart\n");
    EXPECT_FALSE(root.exists(QStringLiteral("/etc/network/interfaces.tmp")));
    // The sockets joined their groups again after the restart and still hear the display.
    // The log may reach its file after the announcement.
    EXPECT_TRUE(listenUntil(
        [&] {
            const QByteArray log = unit.log();
            return log.contains("resetNetworkInterface") && log.contains("UdpSNR Changed IP");
        },
        5000))
        << unit.log().constData();
    EXPECT_TRUE(pairingConfirmedWith("00:11:22:33:44:55")) << unit.log().constData();
}

TEST_F(NetworkSettingsRun, AHardwareAddressIsTakenWholeAndUpperCaseOnly) {
    start();
    ASSERT_TRUE(joined()) << unit.log().constData();
    for (const char* refused : {"00:11:22:33:44:aa", "00:11:22:33:44:77 up reboot"}) {
        sendOnLan(QStringLiteral("PNRVMACA,") + QLatin1String(refused));
    }
    listenFor(1000);
    EXPECT_EQ(boardCommands(), "");

    sendOnLan(QStringLiteral("PNRVMACA,00:11:22:33:44:77"));
    EXPECT_TRUE(listenUntil([&] { return announces("172.16.1.101", "00:11:22:33:44:77"); }, 5000))
        << unit.log().constData();
    EXPECT_EQ(boardFile(), kHead + eth0Block("172.16.1.101", "172.16.1.1", "00:11:22:33:44:77"));
    EXPECT_EQ(boardCommands(), "/etc/init.d/S40network restart\n");
    EXPECT_TRUE(pairingConfirmedWith("00:11:22:33:44:77"));
}

} // namespace
