#pragma once

#include "junctionboxfile.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// The junction box as a service engineer sees it on the virtual board: the sensor's power,
// the auxiliary terminals with their function and level, the rate of the pulses a log
// repeater would count, the front LEDs and what the board's chips report. Fed with the levels
// of the board's pins as the unit writes them and with the board's description.
class JunctionBoxView {
public:
    struct Terminal {
        QString aux;      // "Aux1"
        QString pin;      // "A20"
        QString function; // "SogPulseOutput"
        bool input = false;
    };
    // The terminals as a fresh unit sets them up.
    static QList<Terminal> defaultTerminals();
    // The pins worth watching: the sensor's power and every terminal's.
    QStringList pins() const;

    void setTerminals(QList<Terminal> terminals) { m_terminals = std::move(terminals); }
    // The terminals from the unit's stored terminal setup; false when the text holds none.
    bool setTerminalsFromSetup(const QByteArray& fileText);
    // The LED port's output as the board shows it ("0x1C") and the board's description.
    void setBoard(const QString& leds, const JunctionBoxDescription& board);
    const QList<Terminal>& terminals() const { return m_terminals; }
    // A pin showed a level at a time in milliseconds. A pulse output idles high and pulses
    // low; each fall starts a pulse.
    void pinLevel(const QString& pin, bool level, qint64 atMs);
    std::optional<bool> level(const QString& pin) const;
    // Pulses per hour from the last two pulses; none when the last is older than a pulse
    // train's slowest period.
    std::optional<int> pulsesPerHour(const QString& pin, qint64 nowMs) const;

    QStringList render(qint64 nowMs) const;

private:
    // The slowest train: 120 pulses an hour, or the low phase for an invalid speed.
    static constexpr qint64 kSlowestPeriodMs = 30000;

    struct PinState {
        bool level = false;
        qint64 lastFallMs = -1;
        qint64 periodMs = -1;
    };
    QList<Terminal> m_terminals = defaultTerminals();
    QString m_leds;
    JunctionBoxDescription m_board;
    QMap<QString, PinState> m_pins;
};
