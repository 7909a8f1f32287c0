#include "junctionboxview.h"

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
    QStringList lines{QStringLiteral("Junction box: sensor power %1")
                          .arg(power ? (*power ? QStringLiteral("on") : QStringLiteral("off"))
                                     : QStringLiteral("-"))};
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
    return lines;
}
