#pragma once

#include "nmeamessage.h"

// A received text that could not be parsed; errorType() names the rule it broke and
// receivedText() holds the offending input. Never sent.
class MsgErr : public ClonableMessage<MsgErr> {
public:
    explicit MsgErr(NmeaMessageErrorType error);
    bool setParams(const QStringList&) override { return false; }
    QString getMsgBuffer() const override { return {}; }
};
