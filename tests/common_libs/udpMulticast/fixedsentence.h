#pragma once

#include "nmeamessage.h"

#include <memory>

// A sentence with a fixed text, standing in for any sentence the unit sends.
class FixedSentence : public ClonableMessage<FixedSentence> {
public:
    explicit FixedSentence(const QString& text, const QString& type = QStringLiteral("ZZZ"))
        : ClonableMessage(type) {
        setMsgInfo(QStringLiteral("GP"), QString(), QString(), text, false);
    }
    bool setParams(const QStringList&) override { return true; }
};

inline NmeaMessagePtr fixedSentence(const QString& text = QStringLiteral("$GPZZZ,1*50\r\n"),
                                    const QString& type = QStringLiteral("ZZZ")) {
    return std::make_shared<FixedSentence>(text, type);
}
