#include "ip_handler.h"

#include "atomicfile.h"
#include "interfacesfile.h"
#include "logger.h"
#include "platform.h"
#include "unitinstance.h"

#include <QDebug>
#include <QHostAddress>

#include <cerrno>

namespace {
void logError(const QString& text) {
    Logger::instance()->append(text, Logger::LOG_ERROR);
}

// The broadcast address of an address and its netmask, for the debug output.
QString broadcastOf(const NetInterface& net) {
    const quint32 address = QHostAddress(net.ipAddress).toIPv4Address();
    const quint32 mask = QHostAddress(net.netmask).toIPv4Address();
    return QHostAddress(address | ~mask).toString();
}
} // namespace

IP_handler::IP_handler(QObject* parent) : QObject(parent) {
    readIterfaces();
}

IP_handler* IP_handler::getInstance() {
    return unitInstance<IP_handler>([] { return new IP_handler(); });
}

void IP_handler::resetForTests() {
    dropUnitInstance<IP_handler>();
}

void IP_handler::readIterfaces() {
    struct Named {
        NetInterface* net;
        QString name;
        QString shown;
    };
    for (const Named& each :
         {Named{&eth0_interface, QStringLiteral("eth0"), QStringLiteral("ETHO")},
          Named{&eth1_interface, QStringLiteral("eth1"), QStringLiteral("ETH1")}}) {
        const auto found = Platform::interfaceAddress(each.name);
        if (!found || found->ip.isEmpty() || found->ip == QLatin1String("0.0.0.0")) {
            continue;
        }
        NetInterface& net = *each.net;
        net.setInterface(each.name, found->ip, found->netmask, QString(), found->mac);
        qDebug().noquote() << each.name + QStringLiteral(", netmask: ") + net.netmask +
                                  QStringLiteral(", broadcast: ") + broadcastOf(net);
        qDebug().noquote() << each.shown + QStringLiteral(", IP: ") + net.ipAddress;
        qDebug().noquote() << each.shown + QStringLiteral(", NETMASK: ") + net.netmask;
        qDebug().noquote() << each.shown + QStringLiteral(", MAC: ") + net.macAddress;
    }
}

QString IP_handler::getMACaddress(int interfaceNumber) const {
    return interfaceNumber == 1 ? eth1_interface.macAddress : eth0_interface.macAddress;
}

bool IP_handler::macAddressValid(const QString& text) {
    return NetInterface::isMacAddress(text);
}

bool IP_handler::saveInterface() {
    return saveInterface(&eth0_interface, &eth1_interface);
}

bool IP_handler::saveInterface(NetInterface* eth0, NetInterface* eth1) {
    const std::optional<QByteArray> text = InterfacesFile::text(*eth0, *eth1);
    if (!text) {
        logError(QStringLiteral("Network settings unfit for ") + InterfacesFile::kBoardPath +
                 QStringLiteral(": not written"));
        return false;
    }
    if (!AtomicFile::write(Platform::path(InterfacesFile::kBoardPath), *text)) {
        const int error = errno;
        logError(QStringLiteral("Error in writing to ") + InterfacesFile::kBoardPath +
                 QStringLiteral(": ") + QString::number(error));
        return false;
    }
    CommandRunner::runThen(kRestartCommand, this, [this](bool succeeded) {
        if (!succeeded) {
            logError(QStringLiteral("Network restart failed: ") + kRestartCommand);
        }
        // Even a failed restart may have taken the interface down and up again.
        emit sigNetworkRestarted();
    });
    return true;
}

NetInterface* IP_handler::interfaceInUse() {
    if (!eth0_interface.isNULL) {
        return &eth0_interface;
    }
    return eth1_interface.isNULL ? nullptr : &eth1_interface;
}

void IP_handler::changeIpAddress(const QString& address) {
    NetInterface* net = interfaceInUse();
    if (net == nullptr || address == net->ipAddress) {
        return;
    }
    if (!NetInterface::isDottedQuad(address)) {
        logError(QStringLiteral("Unit address refused: ") + address);
        return;
    }
    const NetInterface before = *net;
    net->setInterfaceIp(address);
    if (!NetInterface::sameNetwork(address, net->defGateway, net->netmask)) {
        net->defGateway = net->getDefoultGteway();
    }
    if (!saveInterface()) {
        *net = before;
    }
}

void IP_handler::setMacAddress(const QString& interfaceName, const QString& mac) {
    NetInterface* net = interfaceName == QLatin1String("eth1") ? &eth1_interface : &eth0_interface;
    if (!macAddressValid(mac)) {
        qDebug() << "MAC address invalid!";
        return;
    }
    if (net->isNULL || mac == net->macAddress) {
        return;
    }
    const QString before = net->macAddress;
    net->setInterfaceMAC(mac);
    if (!saveInterface()) {
        net->setInterfaceMAC(before);
    }
}
