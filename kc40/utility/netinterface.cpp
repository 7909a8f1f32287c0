#include "netinterface.h"

#include <QRegularExpression>
#include <QStringList>

#include <optional>

namespace {
std::optional<quint32> toNumber(const QString& dottedQuad) {
    static const QRegularExpression kQuad(
        QStringLiteral("^([0-9]{1,3})\\.([0-9]{1,3})\\.([0-9]{1,3})\\.([0-9]{1,3})$"));
    const QRegularExpressionMatch match = kQuad.match(dottedQuad);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    quint32 number = 0;
    for (int octet = 1; octet <= 4; ++octet) {
        const int value = match.captured(octet).toInt();
        if (value > 255) {
            return std::nullopt;
        }
        number = (number << 8) | quint32(value);
    }
    return number;
}
} // namespace

void NetInterface::setInterface(const QString& name, const QString& address, const QString& mask,
                                const QString&, const QString& mac) {
    humanReadableName = name;
    ipAddress = address;
    netmask = mask;
    macAddress = mac;
    isNULL = false;
    defGateway = getDefoultGteway();
}

QString NetInterface::getDefoultGteway() const {
    const QStringList address = ipAddress.split(QLatin1Char('.'));
    const QStringList mask = netmask.split(QLatin1Char('.'));
    QString gateway;
    for (int i = 0; i < 3; ++i) {
        const int octet = i < address.size() ? address[i].toInt() : 0;
        const int maskOctet = i < mask.size() ? mask[i].toInt() : 0;
        gateway += QString::number(octet & maskOctet) + QLatin1Char('.');
    }
    return gateway + QLatin1Char('1');
}

bool NetInterface::isWritable() const {
    return (humanReadableName == QLatin1String("eth0") ||
            humanReadableName == QLatin1String("eth1")) &&
           isDottedQuad(ipAddress) && isNetmask(netmask) &&
           sameNetwork(ipAddress, defGateway, netmask) && isMacAddress(macAddress);
}

bool NetInterface::isDottedQuad(const QString& text) {
    return toNumber(text).has_value();
}

bool NetInterface::isNetmask(const QString& text) {
    const std::optional<quint32> mask = toNumber(text);
    // Contiguous ones: the complement plus one is a power of two.
    return mask && *mask != 0 && ((~*mask + 1) & ~*mask) == 0;
}

bool NetInterface::isMacAddress(const QString& text) {
    static const QRegularExpression kMac(QStringLiteral("^([0-9A-F]{2}[:-]){5}[0-9A-F]{2}$"));
    return kMac.match(text).hasMatch();
}

bool NetInterface::sameNetwork(const QString& a, const QString& b, const QString& netmask) {
    const std::optional<quint32> first = toNumber(a);
    const std::optional<quint32> second = toNumber(b);
    const std::optional<quint32> mask = toNumber(netmask);
    return first && second && mask && (*first & *mask) == (*second & *mask);
}
