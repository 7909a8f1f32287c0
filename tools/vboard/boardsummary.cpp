#include "boardsummary.h"

#include "msgalf.h"
#include "msgalr.h"
#include "msgcur.h"
#include "msgdpt.h"
#include "msgmtw.h"
#include "msgvbw.h"
#include "msgvlw.h"
#include "nmeaparser.h"

#include <cmath>

namespace {
std::optional<double> valueOf(float field) {
    if (!NmeaParser::isNumberValidFloat(field)) {
        return std::nullopt;
    }
    return field;
}

QString shown(const std::optional<double>& value, int decimals, const char* unit) {
    if (!value) {
        return QStringLiteral("--");
    }
    return QString::number(*value, 'f', decimals) + QLatin1Char(' ') + QLatin1String(unit);
}

const QLatin1String kLineEnd("\r\n");
} // namespace

std::optional<double> BoardSummary::Speed::resultant() const {
    if (!longitudinal || !transverse) {
        return std::nullopt;
    }
    return std::hypot(*longitudinal, *transverse);
}

void BoardSummary::addSentence(const QString& channel, const QString& sentence) {
    Traffic& traffic = m_thisSecond[channel];
    ++traffic.sentences;
    traffic.bytes += sentence.size();
    if (!take(sentence)) {
        ++traffic.bad;
    }
}

void BoardSummary::addDatagramText(const QString& text, qint64 datagramBytes) {
    Traffic& traffic = m_thisSecond[QStringLiteral("LAN")];
    traffic.bytes += datagramBytes;
    qsizetype start = 0;
    for (qsizetype end = text.indexOf(kLineEnd); end >= 0; end = text.indexOf(kLineEnd, start)) {
        QString line = text.mid(start, end - start);
        start = end + kLineEnd.size();
        if (line.startsWith(QLatin1Char('\\'))) {
            const qsizetype tagEnd = line.indexOf(QLatin1Char('\\'), 1);
            line = tagEnd > 0 ? line.mid(tagEnd + 1) : QString();
        }
        ++traffic.sentences;
        if (!take(line)) {
            ++traffic.bad;
        }
    }
    if (start < text.size()) {
        ++traffic.bad;
    }
}

bool BoardSummary::take(const QString& sentence) {
    const QString line = sentence.endsWith(kLineEnd) ? sentence : sentence + kLineEnd;
    const std::unique_ptr<NmeaMessage> message = NmeaParser::parse(line);
    if (!message || message->errorType() != NO_ERROR) {
        return false;
    }
    apply(*message);
    return true;
}

void BoardSummary::addBytes(const QString& channel, qint64 bytes) {
    m_thisSecond[channel].bytes += bytes;
}

void BoardSummary::closeSecond() {
    m_lastSecond = m_thisSecond;
    m_thisSecond.clear();
}

void BoardSummary::apply(const NmeaMessage& message) {
    if (const auto* vbw = dynamic_cast<const MsgVBW*>(&message)) {
        m_water = {valueOf(vbw->longitudinalWaterSpeed()), valueOf(vbw->transverseWaterSpeed()),
                   vbw->statusWaterSpeed()};
        m_ground = {valueOf(vbw->longitudinalGroundSpeed()), valueOf(vbw->transverseGroundSpeed()),
                    vbw->statusGroundSpeed()};
    } else if (const auto* dpt = dynamic_cast<const MsgDPT*>(&message)) {
        m_depth = valueOf(dpt->waterDepth());
        m_depthOffset = valueOf(dpt->transducerOffset());
    } else if (const auto* mtw = dynamic_cast<const MsgMTW*>(&message)) {
        m_temperature = valueOf(mtw->waterTemperature());
    } else if (const auto* vlw = dynamic_cast<const MsgVLW*>(&message)) {
        m_distances = {valueOf(vlw->totCumulativeWaterDist()), valueOf(vlw->waterDistSinceReset()),
                       valueOf(vlw->totCumulativeGroundDist()),
                       valueOf(vlw->groundDistSinceReset())};
    } else if (const auto* cur = dynamic_cast<const MsgCUR*>(&message)) {
        m_current = {cur->validityOfData(), valueOf(cur->currentSpeedInKnots()),
                     valueOf(cur->CurrentDirectionIndegrees())};
    } else if (const auto* alf = dynamic_cast<const MsgALF*>(&message)) {
        // Only the first sentence of an alert carries its text; a second one adds the
        // description and changes nothing shown here.
        if (alf->sentenceNumber() == 1) {
            const QString key =
                QStringLiteral("%1.%2").arg(alf->alertIdentifier()).arg(alf->alertInstance());
            m_alerts[key] = {alf->alertState(), alf->alertText()};
        }
    } else if (const auto* alr = dynamic_cast<const MsgALR*>(&message)) {
        // An ALR without a number is the "no alarm" sentence.
        if (!alr->uniqueAlarmNumber().isEmpty()) {
            m_alerts[QStringLiteral("ALR ") + alr->uniqueAlarmNumber()] = {
                alr->alarmCondition() + alr->alarmAcknowledgeState(), alr->alarmDescription()};
        }
    }
}

QMap<QString, BoardSummary::Alert> BoardSummary::activeAlerts() const {
    QMap<QString, Alert> active;
    for (auto it = m_alerts.cbegin(); it != m_alerts.cend(); ++it) {
        // ALF "N" is normal; ALR condition "V" with acknowledgement "A" is normal.
        const QString& state = it.value().state;
        if (state != QLatin1String("N") && state != QLatin1String("VA")) {
            active.insert(it.key(), it.value());
        }
    }
    return active;
}

QStringList BoardSummary::render(const QStringList& channels) const {
    QStringList lines;
    const auto speedLine = [](const char* name, const Speed& speed) {
        return QStringLiteral("%1  long %2  tra %3  res %4  status %5")
            .arg(QLatin1String(name), shown(speed.longitudinal, 2, "kn"),
                 shown(speed.transverse, 2, "kn"), shown(speed.resultant(), 2, "kn"),
                 speed.status.isEmpty() ? QStringLiteral("-") : speed.status);
    };
    lines << speedLine("STW", m_water) << speedLine("SOG", m_ground);
    lines << QStringLiteral("Depth %1 below the transducer, offset %2")
                 .arg(shown(m_depth, 2, "m"), shown(m_depthOffset, 2, "m"));
    lines << QStringLiteral("Water temperature %1").arg(shown(m_temperature, 1, "C"));
    lines << QStringLiteral("Water trip %1  total %2   Ground trip %3  total %4")
                 .arg(shown(m_distances.waterTrip, 2, "nm"), shown(m_distances.waterTotal, 2, "nm"),
                      shown(m_distances.groundTrip, 2, "nm"),
                      shown(m_distances.groundTotal, 2, "nm"));
    lines << QStringLiteral("Current %1 towards %2  status %3")
                 .arg(shown(m_current.speed, 2, "kn"), shown(m_current.direction, 1, "deg"),
                      m_current.validity.isEmpty() ? QStringLiteral("-") : m_current.validity);
    const QMap<QString, Alert> alerts = activeAlerts();
    if (alerts.isEmpty()) {
        lines << QStringLiteral("Alerts: none");
    }
    for (auto it = alerts.cbegin(); it != alerts.cend(); ++it) {
        lines
            << QStringLiteral("Alert %1  %2  %3").arg(it.key(), it.value().state, it.value().text);
    }
    for (const QString& channel : channels) {
        const Traffic traffic = lastSecond(channel);
        lines << QStringLiteral("%1: %2 sentences/s, %3 bytes/s%4")
                     .arg(channel, 6)
                     .arg(traffic.sentences)
                     .arg(traffic.bytes)
                     .arg(traffic.bad > 0 ? QStringLiteral(", %1 bad").arg(traffic.bad)
                                          : QString());
    }
    return lines;
}
