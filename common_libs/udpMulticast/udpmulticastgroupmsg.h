#pragma once

#include "udpmulticastsinglemsg.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>

#include <memory>

// One datagram: the six header bytes "UdPbC" NUL, then one or more lines, each ending CR LF.
// No NUL after the last line.
class UdpMulticastGroupMsg {
public:
    // The lines of all messages, in order.
    QString getBuffer() const;
    QByteArray getCompletMsgArray() const;

    QList<UdpMulticastSingleMsg> msgsList;
    // Cleared when any line, or the datagram as a whole, broke a rule: such a group is dropped.
    bool bValid = true;
};

// Received groups travel to their handler as shared pointers.
using UdpMulticastGroupMsgPtr = std::shared_ptr<UdpMulticastGroupMsg>;
Q_DECLARE_METATYPE(UdpMulticastGroupMsgPtr)
