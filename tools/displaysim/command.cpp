#include "command.h"

#include "crc8.h"
#include "nmeamessage.h"
#include "nmeamessageerrortype.h"
#include "nmeaparser.h"

#include <QRegularExpression>

#include <cmath>

namespace {
ParsedLine failed(const QString& why) {
    return {std::nullopt, why};
}

ParsedLine parseWait(const QString& argument) {
    bool ok = false;
    const double seconds = argument.toDouble(&ok);
    if (!ok || !std::isfinite(seconds) || seconds < 0.0) {
        return failed(QStringLiteral("wait needs a number of seconds, not '%1'").arg(argument));
    }
    return {Command::wait(std::llround(seconds * 1000.0)), {}};
}

ParsedLine parseAcknowledge(const QString& argument) {
    if (argument != QLatin1String("on") && argument != QLatin1String("off")) {
        return failed(QStringLiteral("ack takes on or off, not '%1'").arg(argument));
    }
    return {Command::acknowledgements(argument == QLatin1String("on")), {}};
}
} // namespace

namespace CommandParser {
ParsedLine parseLine(const QString& line) {
    const QString text = line.trimmed();
    if (text.isEmpty() || text.startsWith(QLatin1Char('#'))) {
        return {};
    }
    // The sentence after "send" may itself hold spaces (alert texts).
    const qsizetype gap = text.indexOf(QRegularExpression(QStringLiteral("\\s")));
    const QString verb = text.left(gap);
    const QString argument = gap < 0 ? QString() : text.mid(gap).trimmed();
    if (verb == QLatin1String("send")) {
        return parseSentence(argument);
    }
    if (verb == QLatin1String("wait")) {
        return parseWait(argument);
    }
    if (verb == QLatin1String("ack")) {
        return parseAcknowledge(argument);
    }
    return failed(QStringLiteral("unknown command '%1' (send, wait, ack)").arg(verb));
}

ParsedLine parseSentence(const QString& body) {
    QString text = body.trimmed();
    QChar start = QLatin1Char('$');
    if (text.startsWith(QLatin1Char('$')) || text.startsWith(QLatin1Char('!'))) {
        start = text.front();
        text.remove(0, 1);
    }
    const qsizetype star = text.lastIndexOf(QLatin1Char('*'));
    if (star >= 0) {
        // A checksum given with the sentence must be its own: a copied sentence may have lost a
        // character on the way.
        const QString given = text.mid(star + 1);
        text.truncate(star);
        const QString own = CRC8::calculateChecksum(text);
        if (given.compare(own, Qt::CaseInsensitive) != 0) {
            return failed(
                QStringLiteral("checksum *%1 does not match the sentence (*%2)").arg(given, own));
        }
    }
    if (text.isEmpty()) {
        return failed(QStringLiteral("send needs a sentence"));
    }
    QString sentence = NmeaMessage::addCrcToMsgBuffer(text);
    sentence[0] = start;
    // What the unit's parser refuses would cost the whole datagram.
    const int error = NmeaParser::parse(sentence)->errorType();
    if (error != NO_ERROR) {
        return failed(QStringLiteral("the unit cannot read '%1': %2")
                          .arg(sentence.trimmed(), QLatin1String(getNmeaErrorName(error))));
    }
    return {Command::send(sentence), {}};
}
} // namespace CommandParser
