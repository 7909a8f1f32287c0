#include "udpmulticastparser.h"

#include "crc8.h"
#include "nmeaparser.h"

#include <QStringList>

#include <bitset>

UdpErrorCounter UdpMulticastParser::errorCounter;

namespace {
constexpr qsizetype kSfiLength = 6;
constexpr qsizetype kMaxClusterLength = 15;
constexpr quint32 kMaxLineCounter = 999;
const QLatin1String kLineEnd("\r\n");

// Only plain decimal digits: toUInt alone would take a sign or surrounding spaces.
bool toUnsigned(const QString& text, quint32 max, quint32& value) {
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    bool ok = false;
    value = text.toUInt(&ok, 10);
    return ok && value <= max;
}

// The fault identity of a sentence the parser refused.
int sentenceErrorId(NmeaMessageErrorType error) {
    switch (error) {
    case CHECKSUM_ERROR:
        return ERR_TYPE_UDP_CRC;
    case ERR_MAX_LENGTH:
        return ERR_TYPE_MSG_LENGTH;
    default:
        return ERR_TYPE_NMEA_FORMAT;
    }
}
} // namespace

std::unique_ptr<UdpMulticastGroupMsg> UdpMulticastParser::parseUdpAsciMsg(const QString& text) {
    auto group = std::make_unique<UdpMulticastGroupMsg>();
    if (text.size() > kMaxDatagramText) {
        group->bValid = false;
        errorCounter.emitSigError(ERR_TYPE_UDP_OVERFL_REASEM);
    }
    qsizetype start = 0;
    for (qsizetype end = text.indexOf(kLineEnd); end >= 0; end = text.indexOf(kLineEnd, start)) {
        const QString lineText = text.mid(start, end + kLineEnd.size() - start);
        start = end + kLineEnd.size();
        UdpMulticastSingleMsg line;
        if (!parseOneMsg(lineText, line)) {
            group->bValid = false;
        }
        group->msgsList.append(std::move(line));
    }
    if (start < text.size()) {
        group->bValid = false;
    }
    if (group->msgsList.isEmpty()) {
        // A datagram without a single line carries nothing a handler could take.
        group->bValid = false;
    }
    return group;
}

bool UdpMulticastParser::parseOneMsg(const QString& text, UdpMulticastSingleMsg& line) {
    if (!text.startsWith(QLatin1Char('\\'))) {
        return fail(UDP_ERR_TAG_FORMAT, ERR_TYPE_TAG_FRAMING, line);
    }
    const qsizetype end = text.indexOf(QLatin1Char('\\'), 1);
    if (end < 0) {
        return fail(UDP_ERR_TAG_FORMAT, ERR_TYPE_TAG_FRAMING, line);
    }
    const QString tagBlock = text.mid(1, end - 1);
    if (CRC8::validateCrc(tagBlock) != 0) {
        return fail(UDP_ERR_TAG_CRC, ERR_TYPE_TAG_CRC, line);
    }
    Tags tags;
    if (!splitTags(tagBlock.chopped(3), tags)) {
        return fail(UDP_ERR_TAG_FORMAT, ERR_TYPE_TAG_SINTAX, line);
    }
    return getGroupTag(tags, line) && getSourceTag(tags, line) && getMsgIndexTag(tags, line) &&
           getDestinationTag(tags, line) && getMsgSourceCluster(tags, line) &&
           getMsgDestinationCluster(tags, line) && parseSentence(text.mid(end + 1), line);
}

QLatin1StringView UdpMulticastParser::firstSourceTag(QByteArrayView lines) {
    const qsizetype nul = lines.indexOf('\0');
    if (nul >= 0) {
        lines.truncate(nul);
    }
    if (!lines.startsWith('\\')) {
        return {};
    }
    const qsizetype end = lines.indexOf('\\', 1);
    if (end < 0) {
        return {};
    }
    const QByteArrayView tagBlock = lines.sliced(1, end - 1);
    if (CRC8::validateCrc(tagBlock) != 0) {
        return {};
    }
    // The same rules as for a whole line: "<key>:<value>" items, each key once.
    std::bitset<256> seen;
    QByteArrayView source;
    QByteArrayView rest = tagBlock.chopped(3);
    for (;;) {
        const qsizetype comma = rest.indexOf(',');
        const QByteArrayView item = comma < 0 ? rest : rest.first(comma);
        const auto key = static_cast<uchar>(item.isEmpty() ? 0 : item[0]);
        if (item.size() < 2 || item[1] != ':' || seen.test(key)) {
            return {};
        }
        seen.set(key);
        if (key == 's') {
            source = item.sliced(2);
        }
        if (comma < 0) {
            return QLatin1StringView(source);
        }
        rest = rest.sliced(comma + 1);
    }
}

bool UdpMulticastParser::fail(UdpMsgStatus status, int errorId, UdpMulticastSingleMsg& line) {
    line.msgStatus = status;
    errorCounter.emitSigError(errorId);
    return false;
}

// Tags are "<key>:<value>" items separated by ","; a key may appear once. Keys this unit does
// not use (time, text) are kept but not checked.
bool UdpMulticastParser::splitTags(const QString& tagBlock, Tags& tags) {
    for (const QString& item : tagBlock.split(QLatin1Char(','))) {
        if (item.size() < 2 || item[1] != QLatin1Char(':') || tags.contains(item[0])) {
            return false;
        }
        tags.insert(item[0], item.mid(2));
    }
    return true;
}

bool UdpMulticastParser::getGroupTag(const Tags& tags, UdpMulticastSingleMsg& line) {
    const auto found = tags.constFind(QLatin1Char('g'));
    if (found == tags.constEnd()) {
        return true;
    }
    const QStringList parts = found->split(QLatin1Char('-'));
    quint32 index = 0;
    quint32 total = 0;
    quint32 id = 0;
    if (parts.size() != 3 || !toUnsigned(parts[0], 0xFFFF, index) ||
        !toUnsigned(parts[1], 0xFFFF, total) || !toUnsigned(parts[2], 0xFFFF, id) || index < 1 ||
        index > total) {
        return fail(UDP_ERR_GROUP_FORMAT, ERR_TYPE_TAG_SINTAX, line);
    }
    line.udpGroupTag = UdpGroupTag(static_cast<quint16>(index), static_cast<quint16>(total),
                                   static_cast<quint16>(id));
    return true;
}

bool UdpMulticastParser::getSourceTag(const Tags& tags, UdpMulticastSingleMsg& line) {
    const auto found = tags.constFind(QLatin1Char('s'));
    if (found == tags.constEnd() || found->size() != kSfiLength) {
        return fail(found == tags.constEnd() ? UDP_MISS_SOURCE : UDP_ERR_SRC_FORMAT,
                    ERR_TYPE_TAG_SINTAX, line);
    }
    line.udpSourceTag = UdpSourceTag(*found);
    return true;
}

bool UdpMulticastParser::getMsgIndexTag(const Tags& tags, UdpMulticastSingleMsg& line) {
    const auto found = tags.constFind(QLatin1Char('n'));
    if (found == tags.constEnd()) {
        return true;
    }
    quint32 counter = 0;
    if (!toUnsigned(*found, kMaxLineCounter, counter)) {
        return fail(UDP_ERR_COUNT_FORMAT, ERR_TYPE_TAG_SINTAX, line);
    }
    line.udpCounterTag = UdpCounterTag(static_cast<quint16>(counter));
    return true;
}

bool UdpMulticastParser::getDestinationTag(const Tags& tags, UdpMulticastSingleMsg& line) {
    const auto found = tags.constFind(QLatin1Char('d'));
    if (found == tags.constEnd()) {
        return true;
    }
    if (found->size() != kSfiLength) {
        return fail(UDP_ERR_DEST_FORMAT, ERR_TYPE_TAG_SINTAX, line);
    }
    line.udpDestinationTag = UdpDestinationTag(*found);
    return true;
}

bool UdpMulticastParser::getMsgSourceCluster(const Tags& tags, UdpMulticastSingleMsg& line) {
    QString cluster;
    if (!readCluster(tags, QLatin1Char('z'), UDP_ERR_SRC_CLUST_FORMAT, line, cluster)) {
        return false;
    }
    line.udpSourceClusterTag = UdpSourceClusterTag(cluster);
    return true;
}

bool UdpMulticastParser::getMsgDestinationCluster(const Tags& tags, UdpMulticastSingleMsg& line) {
    QString cluster;
    if (!readCluster(tags, QLatin1Char('x'), UDP_ERR_DEST_CLUST_FORMAT, line, cluster)) {
        return false;
    }
    line.udpDestinationClustertag = UdpDestinationClusterTag(cluster);
    return true;
}

// A missing cluster tag leaves the cluster empty; a present one holds 1 to 15 characters.
bool UdpMulticastParser::readCluster(const Tags& tags, QChar key, UdpMsgStatus status,
                                     UdpMulticastSingleMsg& line, QString& cluster) {
    const auto found = tags.constFind(key);
    if (found == tags.constEnd()) {
        return true;
    }
    if (found->isEmpty() || found->size() > kMaxClusterLength) {
        return fail(status, ERR_TYPE_TAG_SINTAX, line);
    }
    cluster = *found;
    return true;
}

bool UdpMulticastParser::parseSentence(const QString& sentence, UdpMulticastSingleMsg& line) {
    line.nmeaMessage = NmeaParser::parse(sentence);
    const NmeaMessageErrorType error = line.nmeaMessage->errorType();
    if (error == NO_ERROR) {
        return true;
    }
    errorCounter.emitSigError(sentenceErrorId(error));
    return false;
}
