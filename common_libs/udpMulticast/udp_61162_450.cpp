#include "udp_61162_450.h"

#include "nmeasettings.h"
#include "udpmulticastcreator.h"
#include "udpmulticastparser.h"

#include <QDebug>
#include <QMutexLocker>

#include <array>

namespace {
const std::array<QLatin1String, 8> kGroupNames = {
    QLatin1String("MISC"), QLatin1String("TGTD"), QLatin1String("SATD"), QLatin1String("NAVD"),
    QLatin1String("VDRD"), QLatin1String("RCOM"), QLatin1String("TIME"), QLatin1String("PROP")};
constexpr int kDefaultGroup = 3;
constexpr quint16 kFirstPort = 60001;
const QLatin1String kAlertMaster("QZ1111");
// The display's wake-up call to every unit, the one broadcast heard in standby.
const QLatin1String kWakeUpAll("ICM98");
} // namespace

UDP_61162_450::UDP_61162_450(QObject* parent) : QObject(parent) {
    qRegisterMetaType<UdpMulticastGroupMsgPtr>();
    connect(&m_socket, &MulticastSocket::sigDatagrams, this,
            &UDP_61162_450::processPendingDatagrams);
    recalculateGroupIpAndPort();
}

UDP_61162_450* UDP_61162_450::getInstance() {
    // Lives as long as the process, like the unit's other objects: a socket torn down after the
    // application object would outlive its event dispatcher.
    static auto* const instance = new UDP_61162_450;
    return instance;
}

int UDP_61162_450::groupNameToIndex(const QString& groupName) {
    for (int index = 0; index < static_cast<int>(kGroupNames.size()); ++index) {
        if (groupName == kGroupNames[index]) {
            return index;
        }
    }
    qDebug().noquote() << "!!! ERROR groupName: " << groupName;
    return kDefaultGroup;
}

QString UDP_61162_450::groupIndexToName(int index) {
    if (index < 0 || index >= static_cast<int>(kGroupNames.size())) {
        qDebug().noquote() << "!!! Error groupIndexToName(). Index = " << index;
        return kGroupNames[kDefaultGroup];
    }
    return kGroupNames[index];
}

QHostAddress UDP_61162_450::groupIpAddress(int index) {
    return QHostAddress(QStringLiteral("239.192.0.%1").arg(index + 1));
}

quint16 UDP_61162_450::groupPort(int index) {
    return static_cast<quint16>(kFirstPort + index);
}

bool UDP_61162_450::acceptsGroup(const UdpMulticastGroupMsg& group, const QString& ownSfi,
                                 bool standby) {
    if (!group.bValid || group.msgsList.isEmpty()) {
        return false;
    }
    const UdpMulticastSingleMsg& first = group.msgsList.first();
    const QString destination =
        first.udpDestinationTag ? first.udpDestinationTag->getTag() : QString();
    const QString source = first.udpSourceTag.getTag();
    if (source == ownSfi) {
        // Our own datagram heard back through loopback.
        return false;
    }
    if (!destination.isEmpty()) {
        return destination == ownSfi;
    }
    if (source == kAlertMaster) {
        return true;
    }
    return standby && group.msgsList.size() == 1 && first.nmeaMessage &&
           first.nmeaMessage->fullType() == kWakeUpAll;
}

void UDP_61162_450::setGroupName(const QString& groupName) {
    changeSetting(m_groupName, groupName);
}

QString UDP_61162_450::groupName() const {
    return m_groupName;
}

void UDP_61162_450::setInterfaceName(const QString& interfaceName) {
    changeSetting(m_interfaceName, interfaceName);
}

void UDP_61162_450::changeSetting(QString& setting, const QString& value) {
    if (value == setting) {
        return;
    }
    setting = value;
    if (m_initialised) {
        resetNetworkInterface();
    }
}

bool UDP_61162_450::init() {
    m_firstStart = true;
    m_initialised = true;
    return initUdpMulticast();
}

bool UDP_61162_450::initUdpMulticast() {
    recalculateGroupIpAndPort();
    return m_socket.open(m_groupAddress, m_udpPort, m_interfaceName);
}

void UDP_61162_450::recalculateGroupIpAndPort() {
    const int index = groupNameToIndex(m_groupName);
    m_groupAddress = groupIpAddress(index);
    m_udpPort = groupPort(index);
}

void UDP_61162_450::resetNetworkInterface() {
    qDebug() << "resetNetworkInterface";
    QMutexLocker locker(&m_mutex);
    m_socket.close();
    initUdpMulticast();
}

QNetworkInterface UDP_61162_450::getNetworkInterfaceByName(const QString& name) {
    return MulticastSocket::getNetworkInterfaceByName(name);
}

qint64 UDP_61162_450::sendMulticastMsg(const QByteArray& datagram) {
    QMutexLocker locker(&m_mutex);
    return m_socket.send(datagram);
}

void UDP_61162_450::processPendingDatagrams(const QList<QByteArray>& datagrams) {
    if (m_firstStart) {
        // Whatever was queued before the unit was ready is stale.
        m_firstStart = false;
        return;
    }
    for (const QByteArray& datagram : datagrams) {
        handleDatagram(datagram);
    }
}

void UDP_61162_450::handleDatagram(const QByteArray& datagram) {
    // The unit hears each of its own datagrams back through multicast loopback, several a
    // second and some of fourteen sentences: they are recognised by the first line's source,
    // read from the bytes as they came, and dropped before anything is converted or parsed.
    const QByteArray header = UdpMulticastCreator::getMulticastPrefixHeader();
    const QString ownSfi = NmeaSettings::sourceSfi();
    if (!ownSfi.isEmpty() && datagram.startsWith(header) &&
        UdpMulticastParser::firstSourceTag(QByteArrayView(datagram).sliced(header.size())) ==
            ownSfi) {
        return;
    }
    const std::optional<QString> text = MulticastSocket::datagramText(datagram);
    if (!text) {
        return;
    }
    UdpMulticastGroupMsgPtr group = UdpMulticastParser::parseUdpAsciMsg(*text);
    if (acceptsGroup(*group, ownSfi, m_standby)) {
        Q_EMIT sigHandleUdpMulticast(group);
    }
}
