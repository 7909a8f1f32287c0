#include "junctionboxview.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
const QString kSensorPowerPin = QStringLiteral("C21");

QString levelText(std::optional<bool> level) {
    return level ? QString::number(int(*level)) : QStringLiteral("-");
}
} // namespace

QList<JunctionBoxView::Terminal> JunctionBoxView::defaultTerminals() {
    return {
        {QStringLiteral("Aux1"), QStringLiteral("A20"), QStringLiteral("SogPulseOutput")},
        {QStringLiteral("Aux2"), QStringLiteral("A16"), QStringLiteral("StwPulseOutput")},
        {QStringLiteral("Aux3"), QStringLiteral("A17"), QStringLiteral("PowerFailureOutput")},
        {QStringLiteral("Aux4"), QStringLiteral("A21"), QStringLiteral("Alarm acknowledge"), true}};
}

QStringList JunctionBoxView::pins() const {
    QStringList names{kSensorPowerPin};
    for (const Terminal& terminal : m_terminals) {
        names << terminal.pin;
    }
    return names;
}

bool JunctionBoxView::setTerminalsFromSetup(const QByteArray& fileText) {
    QList<Terminal> terminals;
    for (const QJsonValue& value : QJsonDocument::fromJson(fileText).array()) {
        const QJsonObject record = value.toObject();
        terminals.append({record.value(QStringLiteral("auxName")).toString(),
                          record.value(QStringLiteral("pinName")).toString(),
                          record.value(QStringLiteral("functionName")).toString(),
                          record.value(QStringLiteral("auxDirection")).toInt() == 1});
    }
    if (terminals.isEmpty()) {
        return false;
    }
    m_terminals = terminals;
    return true;
}

void JunctionBoxView::setBoard(const QString& leds, const JunctionBoxDescription& board) {
    m_leds = leds;
    m_board = board;
}

void JunctionBoxView::pinLevel(const QString& pin, bool level, qint64 atMs) {
    const bool known = m_pins.contains(pin);
    PinState& state = m_pins[pin];
    if (known && state.level && !level) {
        if (state.lastFallMs >= 0) {
            state.periodMs = atMs - state.lastFallMs;
        }
        state.lastFallMs = atMs;
    }
    state.level = level;
}

std::optional<bool> JunctionBoxView::level(const QString& pin) const {
    const auto found = m_pins.constFind(pin);
    return found == m_pins.cend() ? std::nullopt : std::optional<bool>(found->level);
}

std::optional<int> JunctionBoxView::pulsesPerHour(const QString& pin, qint64 nowMs) const {
    const PinState state = m_pins.value(pin);
    if (state.periodMs <= 0 || nowMs - state.lastFallMs > kSlowestPeriodMs) {
        return std::nullopt;
    }
    return int(3600000 / state.periodMs);
}

QStringList JunctionBoxView::render(qint64 nowMs) const {
    const std::optional<bool> power = level(kSensorPowerPin);
    QStringList lines{QStringLiteral("Junction box: sensor power %1, LEDs %2")
                          .arg(power ? (*power ? QStringLiteral("on") : QStringLiteral("off"))
                                     : QStringLiteral("-"),
                               m_leds.isEmpty() ? QStringLiteral("-") : m_leds)};
    for (const Terminal& terminal : m_terminals) {
        QString line =
            QStringLiteral("    %1 %2 %3 %4  level %5")
                .arg(terminal.aux, terminal.pin,
                     terminal.input ? QStringLiteral("in ") : QStringLiteral("out"),
                     terminal.function.leftJustified(20), levelText(level(terminal.pin)));
        if (const std::optional<int> rate = pulsesPerHour(terminal.pin, nowMs)) {
            line += QStringLiteral("  %1 pulses/h").arg(*rate);
        }
        if (terminal.input) {
            line += QStringLiteral("  (key %1 toggles)").arg(terminal.aux.right(1));
        }
        lines << line;
    }
    const std::array<double, 8>& adc = m_board.adc;
    lines << QStringLiteral(
                 "    Board: %1 V, rails %2/%3/%4/%5 V, %6/%7/%8 mA, %9 °C, hardware %10%11")
                 .arg(adc[0], 0, 'f', 2)
                 .arg(adc[1], 0, 'f', 2)
                 .arg(adc[2], 0, 'f', 2)
                 .arg(adc[3], 0, 'f', 2)
                 .arg(adc[4], 0, 'f', 2)
                 .arg(adc[5], 0, 'f', 0)
                 .arg(adc[6], 0, 'f', 0)
                 .arg(adc[7], 0, 'f', 0)
                 .arg(m_board.boardTemperature, 0, 'f', 1)
                 .arg(m_board.hardwareVersion,
                      m_board.notAnswering.isEmpty()
                          ? QString()
                          : QStringLiteral(", not answering: ") +
                                m_board.notAnswering.join(QStringLiteral(", ")));
    if (m_board.vq1.fitted) {
        lines << QStringLiteral("    Older log: %1 kn, trip %2 NM, total %3 NM")
                     .arg(m_board.vq1.speed, 0, 'f', 1)
                     .arg(m_board.vq1.trip, 0, 'f', 2)
                     .arg(m_board.vq1.total, 0, 'f', 2);
    }
    return lines;
}
