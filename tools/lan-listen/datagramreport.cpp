#include "datagramreport.h"

#include "crc8.h"
#include "multicastsocket.h"
#include "nmeaparser.h"
#include "udpmulticastparser.h"

#include <QStringList>

namespace {
const QLatin1String kLineEnd("\r\n");

QJsonObject error(const QString& text, const QByteArray& datagram) {
    return QJsonObject{{QStringLiteral("error"), text},
                       {QStringLiteral("bytes"), static_cast<int>(datagram.size())}};
}
} // namespace

QList<QJsonObject> DatagramReport::describe(const QByteArray& datagram) {
    const std::optional<QString> text = MulticastSocket::datagramText(datagram);
    if (!text) {
        return {error(QStringLiteral("no UdPbC header"), datagram)};
    }
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype end = text->indexOf(kLineEnd); end >= 0; end = text->indexOf(kLineEnd, start)) {
        lines << text->mid(start, end + kLineEnd.size() - start);
        start = end + kLineEnd.size();
    }
    QList<QJsonObject> report;
    for (int i = 0; i < lines.size(); ++i) {
        report << describeLine(lines[i], i + 1, static_cast<int>(lines.size()));
    }
    if (start < text->size()) {
        report << error(QStringLiteral("text after the last line end: ") + text->mid(start),
                        datagram);
    }
    if (text->size() > UdpMulticastParser::kMaxDatagramText) {
        report << error(QStringLiteral("datagram text longer than 1454 characters"), datagram);
    }
    return report;
}

QJsonObject DatagramReport::describeLine(const QString& line, int index, int total) {
    QJsonObject object{{QStringLiteral("line"), index}, {QStringLiteral("lines"), total}};
    const qsizetype end =
        line.startsWith(QLatin1Char('\\')) ? line.indexOf(QLatin1Char('\\'), 1) : -1;
    if (end > 0) {
        const QString tagBlock = line.mid(1, end - 1);
        const qsizetype star = tagBlock.indexOf(QLatin1Char('*'));
        QJsonObject tags;
        for (const QString& item : tagBlock.left(star).split(QLatin1Char(','))) {
            tags.insert(item.section(QLatin1Char(':'), 0, 0), item.section(QLatin1Char(':'), 1));
        }
        object.insert(QStringLiteral("tags"), tags);
        object.insert(QStringLiteral("tagChecksumOk"), CRC8::validateCrc(tagBlock) == 0);
        const QString sentence = line.mid(end + 1);
        object.insert(QStringLiteral("sentence"), sentence.trimmed());
        object.insert(QStringLiteral("sentenceChecksumOk"),
                      NmeaParser::parse(sentence)->errorType() != CHECKSUM_ERROR);
    } else {
        object.insert(QStringLiteral("text"), line.trimmed());
    }
    UdpMulticastSingleMsg parsed;
    object.insert(QStringLiteral("valid"), UdpMulticastParser::parseOneMsg(line, parsed));
    object.insert(QStringLiteral("status"), parsed.msgStatus);
    return object;
}
