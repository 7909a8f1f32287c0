#pragma once

#include "msgidm.h"
#include "nmeamessage.h"
#include "udpmulticastgroupmsg.h"

#include <QString>

#include <optional>

// The display's half of the unit's acknowledged sending: the unit repeats its configuration and
// command sentences until every paired display has acknowledged them with an IDM 0.
namespace Acknowledgement {
// Whether the unit waits for an acknowledgement of a sentence of this full type (identifier,
// with the command number for ICM and IDM: "ICM15", "IDM11", "ALRS").
bool required(const QString& fullType);

// What an IDM 0 acknowledges: one sentence by its full type, or a datagram of several by the
// full types of all its sentences run together in order ("VBWICM9DPT").
struct Owed {
    bool datagram = false;
    QString types;

    // $PNRVIDM,1,0,0,<type> or $PNRVIDM,1,0,1,<types>, built as the unit builds it.
    NmeaMessagePtr sentence() const;
    // What a received IDM 0 acknowledges; nothing for another command.
    static std::optional<Owed> of(const MsgIDM& acknowledgement);
    bool operator==(const Owed&) const = default;
};

// The acknowledgement a display owes for one datagram; nothing when none of its sentences needs
// one.
std::optional<Owed> owedFor(const UdpMulticastGroupMsg& datagram);
} // namespace Acknowledgement
