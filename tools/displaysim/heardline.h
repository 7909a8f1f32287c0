#pragma once

#include "udpmulticastsinglemsg.h"

#include <QString>

// One line of a heard datagram as the operator reads it: sender -> receiver ("*" for
// everyone), full type and every field by name in wire order, absent fields empty:
//   VD0101 -> * ICM9 messageVersion=1 commandID=9 msgParameters=1,1
// A sentence the sentence library does not know shows as it came.
namespace HeardLine {
QString describe(const UdpMulticastSingleMsg& line);
}
