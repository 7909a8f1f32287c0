#pragma once

#include "nmeamessage.h"

// A well-formed sentence whose identifier the unit does not know. Its dispatch key is 0.
class MsgUnknown : public ClonableMessage<MsgUnknown> {
public:
    explicit MsgUnknown(const QString& identifier);
    bool setParams(const QStringList&) override { return false; }
    QString getMsgBuffer() const override { return {}; }
};
