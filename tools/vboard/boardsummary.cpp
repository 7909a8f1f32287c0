#include "boardsummary.h"

#include "msgalf.h"
#include "msgalr.h"
#include "msgcur.h"
#include "msgdpt.h"
#include "msgicm.h"
#include "msgmtw.h"
#include "msgvbw.h"
#include "msgvlw.h"
#include "nmeaparser.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
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
const QString kSensorChannel = QStringLiteral("sensor");
const QString kFromStoredSetup = QStringLiteral("stored setup");
const QString kFromUnit = QStringLiteral("sent by the unit");

// The unit's commands on the sensor line: "$", the byte, "$".
constexpr char kMute = 0x13;
constexpr char kUnmute = 0x11;
constexpr qsizetype kMuteCommandSize = 3;

// The vessel/sensor configuration: its parameter count and where the output mode sits.
constexpr qsizetype kVesselSetupParameters = 21;
constexpr qsizetype kOutputModeParameter = 17;
// The simulation settings (ICM 7): mode, alarm test, source, fixed speeds x100, then the state,
// 2 when the unit confirms.
constexpr qsizetype kSimulationParameters = 9;
constexpr int kSimulationConfirmed = 2;
const QStringList kSimulationSources = {
    QStringLiteral("the sensor's simulation"), QStringLiteral("junction-box simulation"),
    QStringLiteral("GPS simulation"), QStringLiteral("demo playback")};

// Output modes by their code in the configuration.
const QStringList kOutputModes = {QStringLiteral("SOG Only"), QStringLiteral("SOG + STW"),
                                  QStringLiteral("SAT LOG")};

struct UntaggedLine {
    QString sentence;
    QString destination;
};

// A datagram line without its tag block, and the destination the block names ("d:").
UntaggedLine untagged(const QString& line) {
    if (!line.startsWith(QLatin1Char('\\'))) {
        return {line, QString()};
    }
    const qsizetype tagEnd = line.indexOf(QLatin1Char('\\'), 1);
    if (tagEnd < 0) {
        return {};
    }
    UntaggedLine result{line.mid(tagEnd + 1), QString()};
    const QString tags = line.mid(1, tagEnd - 1).section(QLatin1Char('*'), 0, 0);
    for (const QString& tag : tags.split(QLatin1Char(','))) {
        if (tag.startsWith(QLatin1String("d:"))) {
            result.destination = tag.mid(2);
        }
    }
    return result;
}

bool isMuteCommand(const QByteArray& bytes, qsizetype at) {
    return bytes[at] == '$' && bytes[at + 2] == '$' &&
           (bytes[at + 1] == kMute || bytes[at + 1] == kUnmute);
}

QString times(int count) {
    return count == 1 ? QStringLiteral("once") : QStringLiteral("%1 times").arg(count);
}
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
        const UntaggedLine line = untagged(text.mid(start, end - start));
        start = end + kLineEnd.size();
        ++traffic.sentences;
        if (!take(line.sentence, line.destination)) {
            ++traffic.bad;
        }
    }
    if (start < text.size()) {
        ++traffic.bad;
    }
}

bool BoardSummary::take(const QString& sentence, const QString& destination) {
    const QString line = sentence.endsWith(kLineEnd) ? sentence : sentence + kLineEnd;
    const std::unique_ptr<NmeaMessage> message = NmeaParser::parse(line);
    if (!message || message->errorType() != NO_ERROR) {
        return false;
    }
    message->setDestinationSFI(destination);
    apply(*message);
    return true;
}

void BoardSummary::addBytes(const QString& channel, qint64 bytes) {
    m_thisSecond[channel].bytes += bytes;
}

void BoardSummary::addSensorBytes(const QByteArray& bytes) {
    m_thisSecond[kSensorChannel].bytes += bytes.size();
    const QByteArray seen = m_sensorTail + bytes;
    qsizetype at = 0;
    while (at + kMuteCommandSize <= seen.size()) {
        if (isMuteCommand(seen, at)) {
            takeMuteCommand(seen[at + 1] == kMute);
            at += kMuteCommandSize;
        } else {
            ++at;
        }
    }
    m_sensorTail = seen.mid(at);
}

void BoardSummary::takeMuteCommand(bool mute) {
    m_muteCommands = m_muteCommanded == mute ? m_muteCommands + 1 : 1;
    m_muteCommanded = mute;
}

void BoardSummary::addStoredVesselSetup(const QByteArray& fileText) {
    const QJsonValue mode =
        QJsonDocument::fromJson(fileText).object().value(QLatin1String("outputParams"));
    // What the unit reports is newer than anything it had stored.
    if (mode.isString() && m_outputModeSource != kFromUnit) {
        m_outputMode = mode.toString();
        m_outputModeSource = kFromStoredSetup;
    }
}

void BoardSummary::closeSecond() {
    m_lastSecond = m_thisSecond;
    m_thisSecond.clear();
    m_secondsWithoutVbw = m_vbwThisSecond ? 0 : std::min(m_secondsWithoutVbw + 1, kVbwGraceSeconds);
    m_vbwThisSecond = false;
}

void BoardSummary::apply(const NmeaMessage& message) {
    if (const auto* vbw = dynamic_cast<const MsgVBW*>(&message)) {
        m_water = {valueOf(vbw->longitudinalWaterSpeed()), valueOf(vbw->transverseWaterSpeed()),
                   vbw->statusWaterSpeed()};
        m_ground = {valueOf(vbw->longitudinalGroundSpeed()), valueOf(vbw->transverseGroundSpeed()),
                    vbw->statusGroundSpeed()};
        m_vbwThisSecond = true;
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
    } else if (const auto* icm = dynamic_cast<const MsgICM*>(&message)) {
        applyCommand(*icm);
    } else if (message.messageType() == QLatin1String("RUS")) {
        takeUpgradeReport(message.receivedText());
    }
}

void BoardSummary::takeUpgradeReport(const QString& sentence) {
    // $PNRVRUS,type,value,text*hh; only the unit sends it, so no sentence class reads it.
    const QStringList fields = sentence.section(QLatin1Char('*'), 0, 0).split(QLatin1Char(','));
    if (fields.size() == 4) {
        m_upgradeReport = fields.mid(1);
        m_upgradeSentence = sentence.trimmed();
    }
}

void BoardSummary::applyCommand(const MsgICM& command) {
    // The display addresses its commands to the unit; the unit sends its confirmations and its
    // configuration to everyone. What the display asks for is not yet the unit's state.
    if (!command.getDestinationSfi().isEmpty()) {
        return;
    }
    const QList<int> parameters = command.msgParameters();
    const auto type = static_cast<msgCommands>(command.commandID());
    // ICM 9 with the state alone echoes a request; a 1 after the state confirms it.
    if (type == msgCommands::SystemStandby && parameters.size() == 2 && parameters[1] == 1) {
        m_standby = parameters[0] != 0;
    } else if (type == msgCommands::VQ2setupCommand &&
               parameters.size() == kVesselSetupParameters) {
        const int code = parameters[kOutputModeParameter];
        m_outputMode = code >= 0 && code < kOutputModes.size()
                           ? kOutputModes[code]
                           : QStringLiteral("unknown code %1").arg(code);
        m_outputModeSource = kFromUnit;
    } else if (type == msgCommands::SimulatinCommand &&
               parameters.size() >= kSimulationParameters &&
               parameters[5] == kSimulationConfirmed) {
        m_simulation = parameters;
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
    lines << standbyLine() << sensorLine() << outputModeLine() << sourceLine() << upgradeLine();
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

QString BoardSummary::standbyLine() const {
    if (m_standby) {
        return QStringLiteral("Unit: %1 (confirmed by the unit)")
            .arg(*m_standby ? QLatin1String("standby") : QLatin1String("running"));
    }
    // The unit does not announce its state at start. In standby it sends no VBW, so VBW
    // arriving shows it running; no VBW may also mean VBW is switched off everywhere.
    return m_secondsWithoutVbw < kVbwGraceSeconds
               ? QStringLiteral("Unit: running (VBW arriving, state not confirmed)")
               : QStringLiteral("Unit: state unknown (not confirmed, no VBW)");
}

QString BoardSummary::sensorLine() const {
    if (!m_muteCommanded) {
        return QStringLiteral("Sensor: not muted (no mute command sent)");
    }
    // Only what the unit writes is seen here, not the sensor's answer. The unit repeats a
    // command every 100 ms until the sensor answers, at most ten times, so a command sent more
    // than once points at a slow or silent sensor.
    return QStringLiteral("Sensor: %1 (%2 command sent %3)")
        .arg(*m_muteCommanded ? QLatin1String("muted") : QLatin1String("pinging"),
             *m_muteCommanded ? QLatin1String("mute") : QLatin1String("unmute"),
             times(m_muteCommands));
}

QString BoardSummary::sourceLine() const {
    if (!m_simulation) {
        return QStringLiteral("Outputs from: the sensor (no simulation confirmed by the unit)");
    }
    const QList<int>& p = *m_simulation;
    const QString test = p[1] != 0 ? QStringLiteral(", alarm test running") : QString();
    if (p[0] == 0) {
        return QStringLiteral("Outputs from: the sensor") + test;
    }
    const int source = p[2];
    QString from = source >= 0 && source < kSimulationSources.size()
                       ? kSimulationSources[source]
                       : QStringLiteral("simulation source %1").arg(source);
    if (source == 0 || source == 1) {
        from += QStringLiteral(" at %1 kn long, %2 kn tra")
                    .arg(p[3] / 100.0, 0, 'f', 2)
                    .arg(p[4] / 100.0, 0, 'f', 2);
    }
    return QStringLiteral("Outputs from: ") + from + test;
}

QString BoardSummary::outputModeLine() const {
    if (m_outputMode.isEmpty()) {
        return QStringLiteral("Output mode: unknown (no stored setup, no configuration heard)");
    }
    return QStringLiteral("Output mode: %1 (%2)").arg(m_outputMode, m_outputModeSource);
}

QString BoardSummary::upgradeLine() const {
    if (m_upgradeReport.isEmpty()) {
        return QStringLiteral("Sensor upgrade: none reported");
    }
    // Type 0: the share of the image sent, 1: waiting for the sensor, 2: given up.
    const QString& type = m_upgradeReport[0];
    const QString& text = m_upgradeReport[2];
    QString state;
    if (type == QLatin1String("2")) {
        state = QStringLiteral("failed, ") + text;
    } else if (type == QLatin1String("1")) {
        state = QStringLiteral("erasing, ") + text;
    } else {
        state = QStringLiteral("%1 % sent").arg(m_upgradeReport[1]) +
                (text.isEmpty() ? QString() : QStringLiteral(", ") + text);
    }
    return QStringLiteral("Sensor upgrade: %1  (%2)").arg(state, m_upgradeSentence);
}
