#pragma once

#include "nmeamessage.h"
#include "pairing.h"
#include "udpmulticastgroupmsg.h"

#include <QString>

#include <functional>

// Who the display is and which unit it talks to.
struct DisplayIdentity {
    QString sfi = QStringLiteral("II0102");
    QString mac = QStringLiteral("00:11:22:33:44:55");
    QString version = QStringLiteral("1.2.1.2");
    QString unitSfi = QStringLiteral("VD0101");
};

// The display's side of its link with the unit: pairs with it, beats its heart while paired and
// acknowledges what the unit wants acknowledged. It hears every datagram of the group but takes
// only the unit's, and of those only the ones sent to everyone or to this display. What it sends
// goes out through `send`; what happens to it (paired, refused, acknowledged) is told through
// `report`, one short line each. Time is the caller's clock in milliseconds.
class DisplayLink {
public:
    using Send = std::function<void(const NmeaMessagePtr&)>;
    using Report = std::function<void(const QString&)>;

    DisplayLink(DisplayIdentity identity, Send send, Report report);

    void start(qint64 now);
    void onDatagram(const UdpMulticastGroupMsg& datagram, qint64 now);
    // Sends what has fallen due by `now`.
    void onTime(qint64 now);
    qint64 nextDue() const { return m_pairing.nextDue(); }

    void setAcknowledging(bool acknowledging) { m_acknowledging = acknowledging; }
    bool acknowledging() const { return m_acknowledging; }
    bool paired() const { return m_pairing.state() == Pairing::State::Paired; }

private:
    bool fromUnit(const UdpMulticastGroupMsg& datagram) const;
    void take(const NmeaMessage& sentence, qint64 now);
    void acknowledge(const UdpMulticastGroupMsg& datagram);

    DisplayIdentity m_identity;
    Send m_send;
    Report m_report;
    Pairing m_pairing;
    bool m_acknowledging = true;
};
