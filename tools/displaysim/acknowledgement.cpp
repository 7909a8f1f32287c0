#include "acknowledgement.h"

#include "msgsackedstatus.h"
#include "msgssendingstack.h"
#include "udp_multicast_interface.h"

#include <QList>

#include <algorithm>

namespace {
const QString kDatagram = QStringLiteral("1");
} // namespace

namespace Acknowledgement {
bool required(const QString& fullType) {
    return MsgsAckedStatus::ackRequiredTypesAtStart().contains(fullType);
}

NmeaMessagePtr Owed::sentence() const {
    return udp_multicast_interface::getAckMsg(datagram, types);
}

std::optional<Owed> Owed::of(const MsgIDM& acknowledgement) {
    if (acknowledgement.commandID() != static_cast<int>(msgCommands::MsgAck)) {
        return std::nullopt;
    }
    const QStringList parameters = acknowledgement.msgParameters();
    return Owed{parameters.value(0) == kDatagram, parameters.value(1)};
}

std::optional<Owed> owedFor(const UdpMulticastGroupMsg& datagram) {
    QList<NmeaMessagePtr> sentences;
    for (const UdpMulticastSingleMsg& line : datagram.msgsList) {
        if (line.nmeaMessage) {
            sentences.append(line.nmeaMessage);
        }
    }
    if (std::none_of(sentences.cbegin(), sentences.cend(), [](const NmeaMessagePtr& sentence) {
            return required(sentence->fullType());
        })) {
        return std::nullopt;
    }
    return Owed{datagram.msgsList.size() > 1, msgsSendingStack::getListFullType(sentences)};
}
} // namespace Acknowledgement
