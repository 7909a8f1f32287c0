#pragma once

#include "netinterface.h"

#include <QByteArray>

#include <optional>

// The board's network configuration file ("/etc/network/interfaces") for the two Ethernet
// interfaces: loopback, then a static block for each interface present. Only one block carries
// a default gateway (eth0's, or eth1's when eth0 is absent), so that the board never has two.
class InterfacesFile {
public:
    static inline const QString kBoardPath = QStringLiteral("/etc/network/interfaces");

    // The whole file; nothing when a present interface holds a value the network service
    // must not be given.
    static std::optional<QByteArray> text(const NetInterface& eth0, const NetInterface& eth1);
};
