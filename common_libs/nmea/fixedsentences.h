#pragma once

#include "nmeamessage.h"

// Sentences without fields of their own: commands whose identifier is the whole message, and
// the two the unit sends with fixed content.

// A command with no fields; whatever follows the address is ignored.
template <class Derived> class CommandOnlySentence : public ClonableMessage<Derived> {
public:
    bool setParams(const QStringList&) override { return true; }

protected:
    explicit CommandOnlySentence(const QString& messageType)
        : ClonableMessage<Derived>(messageType) {
        this->initProprietary();
    }
};

// Get configuration.   $PNRVGCF*hh
class MsgGCF : public CommandOnlySentence<MsgGCF> {
public:
    MsgGCF() : CommandOnlySentence(QStringLiteral("GCF")) {}
};

// Reset command of the display.   $PNRVRSH*hh
class MsgRSH : public CommandOnlySentence<MsgRSH> {
public:
    MsgRSH() : CommandOnlySentence(QStringLiteral("RSH")) {}
};

// Reset command of the display.   $PNRVRSTT*hh
class MsgRSTT : public CommandOnlySentence<MsgRSTT> {
public:
    MsgRSTT() : CommandOnlySentence(QStringLiteral("RSTT")) {}
};

// Reset command of the display.   $PNRVRSTO*hh
class MsgRSTO : public CommandOnlySentence<MsgRSTO> {
public:
    MsgRSTO() : CommandOnlySentence(QStringLiteral("RSTO")) {}
};

// Reset command of the display.   $PNRVRSTTG*hh
class MsgRSTTG : public CommandOnlySentence<MsgRSTTG> {
public:
    MsgRSTTG() : CommandOnlySentence(QStringLiteral("RSTTG")) {}
};

// Fixed status, always the same text.   $PNRVSTA,4,0,2,4,7,2,0,0,P*27
class MsgSTA : public ClonableMessage<MsgSTA> {
public:
    MsgSTA() : ClonableMessage(QStringLiteral("STA")) { initProprietary(); }
    bool setParams(const QStringList&) override { return reject(); }

protected:
    QStringList buildFields() const override {
        return {QStringLiteral("4"), QStringLiteral("0"), QStringLiteral("2"),
                QStringLiteral("4"), QStringLiteral("7"), QStringLiteral("2"),
                QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("P")};
    }
};

// Overflow notice (approved form), always the single field 1.   $--OVF,1*hh
class MsgOvf : public ClonableMessage<MsgOvf> {
public:
    MsgOvf() : ClonableMessage(QStringLiteral("OVF")) { initForSending(); }
    bool setParams(const QStringList&) override { return reject(); }

protected:
    QStringList buildFields() const override { return {QStringLiteral("1")}; }
};
