#include "linewriter.h"

#include "udpmulticastcreator.h"
#include "udpmulticastsinglemsg.h"

namespace {
constexpr quint16 kLastCounter = 999;
}

LineWriter::LineWriter(QString source, QString destination)
    : m_source(std::move(source)), m_destination(std::move(destination)) {}

QByteArray LineWriter::datagram(const QString& sentence) {
    UdpMulticastSingleMsg line;
    line.udpSourceTag = UdpSourceTag(m_source);
    line.udpDestinationTag = UdpDestinationTag(m_destination);
    line.udpCounterTag = UdpCounterTag(m_counter);
    m_counter = m_counter == kLastCounter ? 0 : static_cast<quint16>(m_counter + 1);
    // The line holds no sentence object: its text is the tag block alone, and the sentence
    // follows as the operator gave it, whether or not the sentence library knows it.
    return UdpMulticastCreator::datagram(line.getBuffer() + sentence);
}
