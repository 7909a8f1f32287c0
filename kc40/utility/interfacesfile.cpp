#include "interfacesfile.h"

namespace {
QByteArray line(const char* prefix, const QString& value, const char* ending) {
    return QByteArray(prefix) + value.toLatin1() + ending;
}

// No gateway line without an ending. Behind eth1's gateway line come two empty lines, as in the
// files the boards already carry.
QByteArray block(const NetInterface& net, const char* gatewayEnding) {
    const QByteArray name = net.humanReadableName.toLatin1();
    QByteArray text = "auto " + name + " \n" + "iface " + name + " inet static \n";
    text += line("address ", net.ipAddress, "\n");
    text += line("netmask ", net.netmask, "\n");
    if (gatewayEnding != nullptr) {
        text += line("gateway ", net.defGateway, gatewayEnding);
    }
    text += line("hwaddress ether ", net.macAddress, "\n\n\n");
    return text;
}
} // namespace

std::optional<QByteArray> InterfacesFile::text(const NetInterface& eth0, const NetInterface& eth1) {
    if ((!eth0.isNULL && !eth0.isWritable()) || (!eth1.isNULL && !eth1.isWritable())) {
        return std::nullopt;
    }
    QByteArray text = "#Norvane\n\nauto lo\niface lo inet loopback\n\n\n";
    if (!eth0.isNULL) {
        text += block(eth0, "\n");
    }
    if (!eth1.isNULL) {
        text += block(eth1, eth0.isNULL ? "\n\n\n" : nullptr);
    }
    return text;
}
