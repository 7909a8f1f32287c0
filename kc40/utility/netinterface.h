#pragma once

#include <QString>

// The static IPv4 settings of one of the board's Ethernet interfaces, as the board's network
// configuration holds them. Also the rules a value must follow before it may go into that
// root-owned file: a stray character there would be read by the board's network service.
struct NetInterface {
    QString humanReadableName;
    QString ipAddress;
    QString netmask;
    QString defGateway;
    QString macAddress;
    bool isNULL = true;

    // Name, address, netmask, an unused text and MAC; the gateway is derived.
    void setInterface(const QString& name, const QString& address, const QString& mask,
                      const QString& unused, const QString& mac);
    void setInterfaceIp(const QString& address) { ipAddress = address; }
    void setInterfaceMAC(const QString& mac) { macAddress = mac; }
    // The first three octets of address AND netmask, then "1": 172.16.1.98 with
    // 255.255.255.0 gives 172.16.1.1.
    QString getDefoultGteway() const;
    // Every value is one the network service can take as it stands.
    bool isWritable() const;

    // Four decimal octets 0..255 separated by points, nothing else.
    static bool isDottedQuad(const QString& text);
    // A dotted quad whose ones run contiguously from the left, at least one of them.
    static bool isNetmask(const QString& text);
    // Six upper-case hexadecimal pairs separated by ":" or "-", nothing else.
    static bool isMacAddress(const QString& text);
    // Both dotted quads lie in the network of the netmask.
    static bool sameNetwork(const QString& a, const QString& b, const QString& netmask);
};
