#pragma once

#include "commandqueue.h"
#include "displaylink.h"
#include "linewriter.h"
#include "multicastsocket.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Where the display sits on the ship's network and how much it tells.
struct DisplaySetup {
    DisplayIdentity identity;
    QString group = QStringLiteral("NAVD");
    QString interfaceName = QStringLiteral("lo");
    bool quiet = false; // only its own events, not every sentence heard from the unit
    bool acknowledge = true;
};

// A display unit on the unit's multicast group: its link with the unit (pairing, heartbeat,
// acknowledgements) and the operator's commands, sent once the display is paired or has waited
// long enough. Prints what it hears from the unit, one sentence a line, and its own events, each
// with the time.
class DisplaySimulator : public QObject {
    Q_OBJECT
public:
    // How long commands wait for the pairing before they go anyway.
    static constexpr qint64 kCommandHoldMs = 15000;

    explicit DisplaySimulator(DisplaySetup setup, QObject* parent = nullptr);

    // Joins the group and asks the unit to pair; false when the group cannot be joined.
    bool start();
    void addCommand(const Command& command);
    // A line of the operator's input; a bad one is reported and skipped.
    void addInputLine(const QString& line);

private:
    void onDatagrams(const QList<QByteArray>& datagrams);
    void onDatagram(const QString& text);
    void send(const QString& sentence);
    // Does what has fallen due and sets the timer for what falls due next.
    void runDue();
    void execute(const Command& command);
    // Its own events always, what it heard from the unit unless quiet; each a line with the time.
    static void event(const QString& text);
    void heard(const QString& text) const;
    qint64 now() const { return m_clock.elapsed(); }

    DisplaySetup m_setup;
    MulticastSocket m_socket;
    LineWriter m_lines;
    DisplayLink m_link;
    CommandQueue m_commands;
    QElapsedTimer m_clock;
    QTimer m_timer;
};
