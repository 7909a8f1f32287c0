#include "displaypairing.h"

#include "msgidm.h"
#include "udpmulticastparser.h"

namespace {
const MsgIDM* commandOf(const UdpMulticastSingleMsg& line, msgCommands command) {
    const auto* idm = dynamic_cast<const MsgIDM*>(line.nmeaMessage.get());
    return idm != nullptr && idm->commandID() == static_cast<int>(command) ? idm : nullptr;
}

QString destinationOf(const UdpMulticastSingleMsg& line) {
    return line.udpDestinationTag ? line.udpDestinationTag->getTag() : QString();
}
} // namespace

DisplayPairing::DisplayPairing(QString unitSfi) : m_unitSfi(std::move(unitSfi)) {}

void DisplayPairing::addDatagramText(const QString& text) {
    const std::unique_ptr<UdpMulticastGroupMsg> datagram =
        UdpMulticastParser::parseUdpAsciMsg(text);
    if (!datagram->bValid || datagram->msgsList.isEmpty()) {
        return;
    }
    const QString source = datagram->msgsList.front().udpSourceTag.getTag();
    if (source == m_unitSfi) {
        fromUnit(*datagram);
    } else {
        fromDisplay(*datagram, source);
    }
}

void DisplayPairing::fromUnit(const UdpMulticastGroupMsg& datagram) {
    QString text;
    int owedSentences = 0;
    for (const UdpMulticastSingleMsg& line : datagram.msgsList) {
        if (line.nmeaMessage) {
            text += line.nmeaMessage->receivedText();
            owedSentences += Acknowledgement::required(line.nmeaMessage->fullType()) ? 1 : 0;
        }
        const MsgIDM* answer = commandOf(line, msgCommands::ConnectionRequest);
        if (answer == nullptr) {
            continue;
        }
        const QString display = destinationOf(line).isEmpty() ? m_lastAsking : destinationOf(line);
        const QString word = answer->msgParameters().value(0);
        if (word == QLatin1String("Confirm")) {
            m_paired = display;
        } else if (word == QLatin1String("Deny") && display == m_paired) {
            m_paired.clear();
        }
    }
    if (const std::optional<Acknowledgement::Owed> owed = Acknowledgement::owedFor(datagram)) {
        m_waiting.removeIf([&](const Waiting& waiting) { return waiting.text == text; });
        m_waiting.append({text, *owed, owedSentences});
    }
}

void DisplayPairing::fromDisplay(const UdpMulticastGroupMsg& datagram, const QString& display) {
    for (const UdpMulticastSingleMsg& line : datagram.msgsList) {
        if (const MsgIDM* request = commandOf(line, msgCommands::ConnectionRequest);
            request != nullptr && request->msgParameters().value(0) == QLatin1String("Request")) {
            m_lastAsking = display;
            if (display == m_paired) {
                m_paired.clear();
            }
        } else if (commandOf(line, msgCommands::ProprietaryHeartbeat) != nullptr) {
            m_heartbeatAge[display] = 0;
        } else if (const MsgIDM* ack = commandOf(line, msgCommands::MsgAck)) {
            const std::optional<Acknowledgement::Owed> acknowledged =
                Acknowledgement::Owed::of(*ack);
            m_waiting.removeIf(
                [&](const Waiting& waiting) { return waiting.acknowledgement == acknowledged; });
        }
    }
}

void DisplayPairing::closeSecond() {
    for (int& age : m_heartbeatAge) {
        ++age;
    }
}

int DisplayPairing::waitingSentences() const {
    int sentences = 0;
    for (const Waiting& waiting : m_waiting) {
        sentences += waiting.sentences;
    }
    return sentences;
}

QString DisplayPairing::render() const {
    const QString display = m_paired.isEmpty() ? m_lastAsking : m_paired;
    QString state;
    if (!m_paired.isEmpty()) {
        state = m_paired + QStringLiteral(" paired");
    } else if (!display.isEmpty()) {
        state = QStringLiteral("not paired (%1 asking)").arg(display);
    } else {
        state = QStringLiteral("not paired");
    }
    const auto age = m_heartbeatAge.constFind(display);
    const QString heartbeat = age == m_heartbeatAge.cend()
                                  ? QStringLiteral("no heartbeat")
                                  : QStringLiteral("heartbeat %1 s ago").arg(*age);
    return QStringLiteral("Display: %1, %2, %3 of the unit's sentences unacknowledged")
        .arg(state, heartbeat)
        .arg(waitingSentences());
}
