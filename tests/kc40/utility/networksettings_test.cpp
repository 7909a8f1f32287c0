#include "interfacesfile.h"
#include "ip_handler.h"
#include "platform.h"
#include "testroot.h"

#include <QCoreApplication>
#include <QDir>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace {
NetInterface net(const char* name, const char* address, const char* mask, const char* mac) {
    NetInterface record;
    record.setInterface(QLatin1String(name), QLatin1String(address), QLatin1String(mask), {},
                        QLatin1String(mac));
    return record;
}

const NetInterface kEth0 = net("eth0", "172.16.1.98", "255.255.255.0", "00:11:22:33:44:55");
const NetInterface kEth1 = net("eth1", "10.1.2.3", "255.255.0.0", "00:11:22:33:44:66");
const NetInterface kAbsent;

constexpr const char* kHead = "#Norvane\n\nauto lo\niface lo inet loopback\n\n\n";
constexpr const char* kEth0Block = "auto eth0 \niface eth0 inet static \naddress 172.16.1.98\n"
                                   "netmask 255.255.255.0\ngateway 172.16.1.1\n"
                                   "hwaddress ether 00:11:22:33:44:55\n\n\n";

TEST(InterfacesFile, OneDefaultGatewayWhicheverInterfacesArePresent) {
    const std::string eth1WithoutGateway = "auto eth1 \niface eth1 inet static \naddress 10.1.2.3\n"
                                           "netmask 255.255.0.0\n"
                                           "hwaddress ether 00:11:22:33:44:66\n\n\n";
    const std::string eth1WithGateway = "auto eth1 \niface eth1 inet static \naddress 10.1.2.3\n"
                                        "netmask 255.255.0.0\ngateway 10.1.0.1\n\n\n"
                                        "hwaddress ether 00:11:22:33:44:66\n\n\n";
    const struct {
        const NetInterface& eth0;
        const NetInterface& eth1;
        std::string expected;
    } cases[] = {
        {kEth0, kEth1, kHead + std::string(kEth0Block) + eth1WithoutGateway},
        {kAbsent, kEth1, kHead + eth1WithGateway},
        {kEth0, kAbsent, kHead + std::string(kEth0Block)},
        {kAbsent, kAbsent, kHead},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InterfacesFile::text(c.eth0, c.eth1).value_or("refused").toStdString(),
                  c.expected);
    }
}

// The file is read by the board's network service as root: nothing but plain values enter it.
TEST(InterfacesFile, RefusesValuesTheNetworkServiceMustNotBeGiven) {
    const struct {
        const char* what;
        NetInterface eth0;
    } cases[] = {
        {"a command after a newline",
         net("eth0", "10.0.0.7\nup reboot", "255.255.255.0", "00:11:22:33:44:55")},
        {"an octet above 255", net("eth0", "10.0.0.256", "255.255.255.0", "00:11:22:33:44:55")},
        {"three octets", net("eth0", "10.0.7", "255.255.255.0", "00:11:22:33:44:55")},
        {"holes in the netmask", net("eth0", "10.0.0.7", "255.0.255.0", "00:11:22:33:44:55")},
        {"no netmask", net("eth0", "10.0.0.7", "0.0.0.0", "00:11:22:33:44:55")},
        {"a lower-case MAC", net("eth0", "10.0.0.7", "255.255.255.0", "00:11:22:33:44:aa")},
        {"text after the MAC",
         net("eth0", "10.0.0.7", "255.255.255.0", "00:11:22:33:44:55\nup reboot")},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(InterfacesFile::text(c.eth0, kAbsent)) << c.what;
    }
    NetInterface unreachableGateway = kEth0;
    unreachableGateway.defGateway = QStringLiteral("10.0.0.1");
    EXPECT_FALSE(InterfacesFile::text(unreachableGateway, kAbsent));
    EXPECT_FALSE(IP_handler::macAddressValid(QStringLiteral("x00:11:22:33:44:55")));
}

// A virtual board whose eth0 the board's file configures, as a board that has run before.
class NetworkSettings : public ::testing::Test {
protected:
    NetworkSettings() {
        root.writeFile(InterfacesFile::kBoardPath, kBoardFile);
        Platform::configure(root.path(), QStringLiteral("lo"));
        m_handler = std::make_unique<IP_handler>();
        QObject::connect(m_handler.get(), &IP_handler::sigNetworkRestarted, [this] { ++restarts; });
    }
    ~NetworkSettings() override { Platform::configure(QString(), QString()); }

    QByteArray file() const { return root.readFile(InterfacesFile::kBoardPath); }
    QByteArray commands() const { return root.readFile(QStringLiteral("/board_commands")); }
    void settle() { QCoreApplication::processEvents(); }

    static inline const QByteArray kBoardFile = QByteArray(kHead) + kEth0Block;
    TestRoot root;
    IP_handler& handler() { return *m_handler; }
    int restarts = 0;

private:
    std::unique_ptr<IP_handler> m_handler;
};

TEST_F(NetworkSettings, NewAddressKeepsAReachableGatewayAndRestartsTheNetwork) {
    const struct {
        const char* address;
        const char* gateway;
    } cases[] = {
        {"172.16.1.120", "172.16.1.1"}, // same network: the gateway stays
        {"10.0.0.7", "10.0.0.1"},       // another network: the old one is out of reach
    };
    int expectedRestarts = 0;
    for (const auto& c : cases) {
        handler().changeIpAddress(QLatin1String(c.address));
        settle();
        EXPECT_TRUE(file().contains(QByteArray("address ") + c.address +
                                    "\nnetmask 255.255.255.0"
                                    "\ngateway " +
                                    c.gateway + "\n"))
            << file().constData();
        EXPECT_EQ(restarts, ++expectedRestarts);
    }
    EXPECT_EQ(commands(), "/etc/init.d/S40network restart\n/etc/init.d/S40network restart\n");
    EXPECT_FALSE(root.exists(InterfacesFile::kBoardPath + QStringLiteral(".tmp")));
}

TEST_F(NetworkSettings, NothingIsWrittenOrRestartedForAnUnusableChange) {
    const std::function<void()> changes[] = {
        [&] { handler().changeIpAddress(QStringLiteral("172.16.1.98")); }, // already the address
        [&] { handler().changeIpAddress(QStringLiteral("172.16.1.300")); },
        [&] { handler().changeIpAddress(QStringLiteral("10.0.0.7\nup reboot")); },
        [&] {
            handler().setMacAddress(QStringLiteral("eth0"), QStringLiteral("00:11:22:33:44:5g"));
        },
        [&] {
            handler().setMacAddress(QStringLiteral("eth1"), QStringLiteral("00:11:22:33:44:77"));
        },
    };
    for (const auto& change : changes) {
        change();
    }
    settle();
    EXPECT_EQ(file(), kBoardFile);
    EXPECT_EQ(commands(), "");
    EXPECT_EQ(restarts, 0);
    EXPECT_EQ(handler().eth0().ipAddress, QStringLiteral("172.16.1.98"));
}

// A write that fails half-way leaves the board's file as it was, the record with the board's
// settings, and the network untouched.
TEST_F(NetworkSettings, AFailedWriteKeepsTheOldFileAndTheOldSettings) {
    QDir().mkpath(root.path(InterfacesFile::kBoardPath + QStringLiteral(".tmp")));
    handler().setMacAddress(QStringLiteral("eth0"), QStringLiteral("00:11:22:33:44:77"));
    settle();
    EXPECT_EQ(file(), kBoardFile);
    EXPECT_EQ(commands(), "");
    EXPECT_EQ(handler().getMACaddress(0), QStringLiteral("00:11:22:33:44:55"));

    QDir(root.path(InterfacesFile::kBoardPath + QStringLiteral(".tmp"))).removeRecursively();
    handler().setMacAddress(QStringLiteral("eth0"), QStringLiteral("00:11:22:33:44:77"));
    settle();
    EXPECT_TRUE(file().contains("hwaddress ether 00:11:22:33:44:77\n"));
    EXPECT_EQ(Platform::interfaceAddress(QStringLiteral("eth0"))->mac,
              QStringLiteral("00:11:22:33:44:77"))
        << "the virtual board's eth0 follows its file";
}
} // namespace
