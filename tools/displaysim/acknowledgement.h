#pragma once

#include "msgidm.h"
#include "udpmulticastgroupmsg.h"

#include <QString>

#include <memory>

// The display's half of the unit's acknowledged sending: the unit repeats its configuration and
// command sentences until every paired display has acknowledged them with an IDM 0.
namespace Acknowledgement {
// Whether the unit waits for an acknowledgement of a sentence of this full type (identifier,
// with the command number for ICM and IDM: "ICM15", "IDM11", "ALRS").
bool required(const QString& fullType);
// The IDM 0 a display owes for one datagram: "0" and the full type for a lone sentence, "1" and
// the full types of all its sentences run together in order for several
// ($PNRVIDM,1,0,1,VBWICM9DPT). Null when none of its sentences needs one.
std::shared_ptr<MsgIDM> owedFor(const UdpMulticastGroupMsg& datagram);
} // namespace Acknowledgement
