#include "displaysimulator.h"

#include "heardline.h"
#include "udp_61162_450.h"
#include "udpmulticastparser.h"

#include <QTime>

#include <algorithm>
#include <climits>
#include <cstdio>

DisplaySimulator::DisplaySimulator(DisplaySetup setup, QObject* parent)
    : QObject(parent), m_setup(std::move(setup)),
      m_lines(m_setup.identity.sfi, m_setup.identity.unitSfi),
      m_link(
          m_setup.identity,
          [this](const NmeaMessagePtr& sentence) { send(sentence->getMsgBuffer()); },
          [this](const QString& text) { event(text); }) {
    m_link.setAcknowledging(m_setup.acknowledge);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &DisplaySimulator::runDue);
    connect(&m_socket, &MulticastSocket::sigDatagrams, this, &DisplaySimulator::onDatagrams);
}

bool DisplaySimulator::start() {
    const int group = UDP_61162_450::groupNameToIndex(m_setup.group);
    if (!m_socket.open(UDP_61162_450::groupIpAddress(group), UDP_61162_450::groupPort(group),
                       m_setup.interfaceName)) {
        std::fprintf(stderr, "displaysim: cannot join %s on %s\n", qPrintable(m_setup.group),
                     qPrintable(m_setup.interfaceName));
        return false;
    }
    const DisplayIdentity& identity = m_setup.identity;
    event(QStringLiteral("display %1 (MAC %2, version %3) on %4 via %5 for unit %6, "
                         "acknowledgements %7")
              .arg(identity.sfi, identity.mac, identity.version, m_setup.group,
                   m_setup.interfaceName, identity.unitSfi,
                   m_setup.acknowledge ? QStringLiteral("on") : QStringLiteral("off")));
    m_clock.start();
    m_link.start(now());
    runDue();
    return true;
}

void DisplaySimulator::addCommand(const Command& command) {
    m_commands.append(command);
    if (m_clock.isValid()) {
        runDue();
    }
}

void DisplaySimulator::addInputLine(const QString& line) {
    const ParsedLine parsed = CommandParser::parseLine(line);
    if (!parsed.error.isEmpty()) {
        event(QStringLiteral("input skipped: ") + parsed.error);
    } else if (parsed.command) {
        addCommand(*parsed.command);
    }
}

void DisplaySimulator::onDatagrams(const QList<QByteArray>& datagrams) {
    for (const QByteArray& datagram : datagrams) {
        if (const std::optional<QString> text = MulticastSocket::datagramText(datagram)) {
            onDatagram(*text);
        }
    }
    runDue();
}

void DisplaySimulator::onDatagram(const QString& text) {
    // Its own datagrams come back over the loopback, and other equipment shares the group.
    if (UdpMulticastParser::firstSourceTag(text.toLatin1()) != m_setup.identity.unitSfi) {
        return;
    }
    const std::unique_ptr<UdpMulticastGroupMsg> datagram =
        UdpMulticastParser::parseUdpAsciMsg(text);
    if (!datagram->bValid) {
        heard(QStringLiteral("%1: a datagram the unit's own parser refuses: %2")
                  .arg(m_setup.identity.unitSfi, text.trimmed()));
        return;
    }
    for (const UdpMulticastSingleMsg& line : datagram->msgsList) {
        heard(HeardLine::describe(line));
    }
    m_link.onDatagram(*datagram, now());
}

void DisplaySimulator::send(const QString& sentence) {
    if (m_socket.send(m_lines.datagram(sentence)) <= 0) {
        event(QStringLiteral("could not send ") + sentence.trimmed());
    }
}

void DisplaySimulator::runDue() {
    const qint64 time = now();
    m_link.onTime(time);
    if (!m_commands.released() && (m_link.paired() || time >= kCommandHoldMs)) {
        if (!m_link.paired() && !m_commands.isEmpty()) {
            event(QStringLiteral("not paired after %1 s: sending the commands anyway")
                      .arg(kCommandHoldMs / 1000));
        }
        m_commands.release(time);
    }
    for (const Command& command : m_commands.take(time)) {
        execute(command);
    }
    const qint64 next = std::min({m_link.nextDue(), m_commands.nextDue(),
                                  m_commands.released() ? CommandQueue::kNever : kCommandHoldMs});
    if (next == CommandQueue::kNever) {
        m_timer.stop();
    } else {
        m_timer.start(static_cast<int>(std::clamp<qint64>(next - time, 0, INT_MAX)));
    }
}

void DisplaySimulator::execute(const Command& command) {
    if (command.kind == Command::Kind::Acknowledge) {
        m_link.setAcknowledging(command.acknowledge);
        event(QStringLiteral("acknowledgements ") +
              (command.acknowledge ? QStringLiteral("on") : QStringLiteral("off")));
    } else if (command.kind == Command::Kind::Send) {
        send(command.sentence);
        event(QStringLiteral("sent ") + command.sentence.trimmed());
    }
}

void DisplaySimulator::event(const QString& text) {
    std::printf("%s %s\n",
                qPrintable(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz"))),
                qPrintable(text));
    std::fflush(stdout);
}

void DisplaySimulator::heard(const QString& text) const {
    if (!m_setup.quiet) {
        event(text);
    }
}
