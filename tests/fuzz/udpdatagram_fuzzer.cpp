// Fuzzes what the unit does with every datagram heard on its network: header check, parsing of
// the lines and their tags, the receive filter, and rebuilding the text of what was accepted.
#include "multicastsocket.h"
#include "udp_61162_450.h"
#include "udpmulticastparser.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>

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
    const auto group = UdpMulticastParser::parseUdpAsciMsg(*text);
    for (const bool standby : {false, true}) {
        if (UDP_61162_450::acceptsGroup(*group, QStringLiteral("VD0101"), standby)) {
            (void)group->getCompletMsgArray();
        }
    }
    for (const UdpMulticastSingleMsg& line : group->msgsList) {
        (void)line.tagBlock();
    }
    return 0;
}
