#pragma once

#include "netinterface.h"

#include <QObject>
#include <QString>

// The board's two Ethernet interfaces, "eth0" and "eth1": their settings as the board has
// them, the unit's address and hardware address changes, and the board's network
// configuration file with the restart of its network service that applies it. Once the
// service has restarted with new settings, the sockets on the ship's network must be rebuilt.
class IP_handler : public QObject {
    Q_OBJECT
public:
    static inline const QString kRestartCommand = QStringLiteral("/etc/init.d/S40network restart");

    // Reads the interfaces at once.
    explicit IP_handler(QObject* parent = nullptr);
    static IP_handler* getInstance();
    static void resetForTests();

    void readIterfaces();
    const NetInterface& eth0() const { return eth0_interface; }
    const NetInterface& eth1() const { return eth1_interface; }
    // eth1's for 1, eth0's otherwise.
    QString getMACaddress(int interfaceNumber) const;
    // The whole text is one MAC address: a match inside other text would carry that text
    // into the configuration file.
    static bool macAddressValid(const QString& text);
    // Writes the configuration file, then restarts the network service; false (and no
    // restart) when the file could not be written or a value is unfit for it.
    bool saveInterface();
    bool saveInterface(NetInterface* eth0, NetInterface* eth1);

public Q_SLOTS:
    // The unit's address, for the interface in use (eth0 when the board has it). Its gateway
    // stays while it lies in the new address's network; otherwise it is derived anew, as a
    // gateway the interface cannot reach would leave the board without a default route.
    void changeIpAddress(const QString& address);
    // A hardware address for "eth0" or "eth1".
    void setMacAddress(const QString& interfaceName, const QString& mac);

Q_SIGNALS:
    // The network service restarted with the settings just written.
    void sigNetworkRestarted();

private:
    NetInterface* interfaceInUse();

    NetInterface eth0_interface;
    NetInterface eth1_interface;
};
