#include "displaylink.h"

#include "acknowledgement.h"
#include "msgidm.h"

namespace {
constexpr int kMessageVersion = 1;
} // namespace

DisplayLink::DisplayLink(DisplayIdentity identity, Send send, Report report)
    : m_identity(std::move(identity)), m_send(std::move(send)), m_report(std::move(report)) {}

void DisplayLink::start(qint64 now) {
    m_pairing.start(now);
    onTime(now);
}

bool DisplayLink::fromUnit(const UdpMulticastGroupMsg& datagram) const {
    return datagram.bValid && !datagram.msgsList.isEmpty() &&
           datagram.msgsList.front().udpSourceTag.getTag() == m_identity.unitSfi;
}

void DisplayLink::onDatagram(const UdpMulticastGroupMsg& datagram, qint64 now) {
    if (!fromUnit(datagram)) {
        return;
    }
    m_pairing.heard(now);
    // Like the unit, the display goes by the first line's destination.
    const std::optional<UdpDestinationTag>& destination =
        datagram.msgsList.front().udpDestinationTag;
    if (destination && !destination->getTag().isEmpty() &&
        destination->getTag() != m_identity.sfi) {
        return;
    }
    for (const UdpMulticastSingleMsg& line : datagram.msgsList) {
        if (line.nmeaMessage) {
            take(*line.nmeaMessage, now);
        }
    }
    if (m_acknowledging) {
        acknowledge(datagram);
    }
}

void DisplayLink::take(const NmeaMessage& sentence, qint64 now) {
    const auto* idm = dynamic_cast<const MsgIDM*>(&sentence);
    if (idm == nullptr) {
        return;
    }
    if (const std::optional<Acknowledgement::Owed> acked = Acknowledgement::Owed::of(*idm)) {
        m_report(QStringLiteral("the unit acknowledged ") + acked->types);
        return;
    }
    if (idm->commandID() != static_cast<int>(msgCommands::ConnectionRequest)) {
        return;
    }
    const QStringList parameters = idm->msgParameters();
    const QString word = parameters.value(0);
    const QString unit = QStringLiteral("%1 (version %2, MAC %3)")
                             .arg(m_identity.unitSfi, parameters.value(1), parameters.value(2));
    if (word == QLatin1String("Confirm")) {
        if (!paired()) {
            m_report(QStringLiteral("paired with ") + unit);
        }
        m_pairing.confirmed(now);
    } else if (word == QLatin1String("Deny")) {
        m_report(QStringLiteral("denied by %1%2")
                     .arg(unit, paired() ? QStringLiteral(": pairing lost") : QString()));
        m_pairing.denied(now);
    }
}

void DisplayLink::acknowledge(const UdpMulticastGroupMsg& datagram) {
    if (const std::optional<Acknowledgement::Owed> owed = Acknowledgement::owedFor(datagram)) {
        m_send(owed->sentence());
        m_report(QStringLiteral("acked %1%2")
                     .arg(owed->datagram ? QStringLiteral("datagram ") : QString(), owed->types));
    }
}

void DisplayLink::onTime(qint64 now) {
    for (Pairing::Step step = m_pairing.take(now); step != Pairing::Step::None;
         step = m_pairing.take(now)) {
        switch (step) {
        case Pairing::Step::Request:
            m_send(std::make_shared<MsgIDM>(
                kMessageVersion, msgCommands::ConnectionRequest,
                QStringList{QStringLiteral("Request"), m_identity.version, m_identity.mac}));
            m_report(QStringLiteral("pairing request to ") + m_identity.unitSfi);
            break;
        case Pairing::Step::Heartbeat:
            m_send(std::make_shared<MsgIDM>(kMessageVersion, msgCommands::ProprietaryHeartbeat,
                                            QStringList{m_identity.sfi, m_identity.mac}));
            m_report(QStringLiteral("heartbeat"));
            break;
        case Pairing::Step::Lost:
            m_report(QStringLiteral("nothing heard from %1 for %2 s: pairing lost")
                         .arg(m_identity.unitSfi)
                         .arg(Pairing::kSilenceMs / 1000));
            break;
        case Pairing::Step::None:
            break;
        }
    }
}
