// Fuzzes what the unit does with every datagram heard on its network: header check, the quick
// look at the first line's source, parsing of the lines and their tags, the receive filter,
// rebuilding the text of what was accepted, and the network interface's handling of it
// (acknowledgements, connection requests, heartbeats, goodbyes). The quick look must name the same
// source as the full parse of a sound datagram, or the unit would drop, or keep, the wrong ones.
#include "multicastsocket.h"
#include "udp_61162_450.h"
#include "udp_multicast_interface.h"
#include "udpmulticastcreator.h"
#include "udpmulticastparser.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool silenced = (qInstallMessageHandler(quiet), true);
    (void)silenced;
    const QByteArray datagram(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<QString> text = MulticastSocket::datagramText(datagram);
    if (!text) {
        return 0;
    }
    const QLatin1StringView source = UdpMulticastParser::firstSourceTag(
        QByteArrayView(datagram).sliced(UdpMulticastCreator::getMulticastPrefixHeader().size()));
    auto group = UdpMulticastParser::parseUdpAsciMsg(*text);
    if (group->bValid && source != group->msgsList.first().udpSourceTag.getTag()) {
        std::abort();
    }
    for (const bool standby : {false, true}) {
        if (UDP_61162_450::acceptsGroup(*group, QStringLiteral("VD0101"), standby)) {
            (void)group->getCompletMsgArray();
        }
    }
    for (const UdpMulticastSingleMsg& line : group->msgsList) {
        (void)line.tagBlock();
    }
    // Not initialised: what it answers goes nowhere, its pairings stay from input to input.
    static UDP_61162_450 transport;
    static udp_multicast_interface network(&transport);
    network.slotHandleUdpMulticast(UdpMulticastGroupMsgPtr(std::move(group)));
    return 0;
}
