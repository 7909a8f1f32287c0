#pragma once

#include "acknowledgement.h"
#include "udpmulticastgroupmsg.h"

#include <QMap>
#include <QString>
#include <QStringList>

// What the board hears of a display's link with the unit on the group: the display the unit has
// paired (the one its confirmation names, or else the one that asked last), the seconds since
// that display's last heartbeat, and how many of the unit's sentences that want acknowledging
// have not yet been followed by a display's IDM 0 for them. The unit repeats such a sentence
// each second while it waits: a repetition is the same sentence, counted once. A display that
// asks again has given its pairing up; a refusal ends it.
class DisplayPairing {
public:
    explicit DisplayPairing(QString unitSfi);

    // The text of a datagram (after its header) heard on the group, from anyone.
    void addDatagramText(const QString& text);
    // Ends a second: heartbeats grow a second older.
    void closeSecond();
    // One line for the screen.
    QString render() const;

private:
    // A datagram of the unit's that waits: its sentences' text, the acknowledgement it wants,
    // and how many of its sentences want one.
    struct Waiting {
        QString text;
        Acknowledgement::Owed acknowledgement;
        int sentences;
    };

    void fromUnit(const UdpMulticastGroupMsg& datagram);
    void fromDisplay(const UdpMulticastGroupMsg& datagram, const QString& display);
    int waitingSentences() const;

    QString m_unitSfi;
    QString m_paired;
    QString m_lastAsking;
    QMap<QString, int> m_heartbeatAge; // seconds, per display
    QList<Waiting> m_waiting;
};
