#pragma once

#include "sentencefields.h"

// Configuration exchange with the display and the service software. An IPv4 address travels
// as four fields; one that does not split into four parts at "." is written as four empty
// fields.

// Fields before the address (`Derived::headFields()`), the four address fields, then the rest
// (`Derived::tailFields()`).
template <class Derived> class SplitAddressSentence : public ClonableMessage<Derived> {
public:
    static constexpr qsizetype kIpParts = 4;

    bool setParams(const QStringList& params) override {
        const auto head = static_cast<qsizetype>(Derived::headFields().size());
        const auto tail = static_cast<qsizetype>(Derived::tailFields().size());
        if (params.size() != head + kIpParts + tail ||
            !readFields(self(), Derived::headFields(), params) ||
            !readFields(self(), Derived::tailFields(), params, head + kIpParts)) {
            return this->reject();
        }
        m_ip = params.mid(head, kIpParts).join(QLatin1Char('.'));
        return self().acceptsValues() || this->reject();
    }
    QList<NamedValue> fieldValues() const override {
        return namedValues(self(), Derived::headFields())
               << NamedValue{QStringLiteral("ip"), m_ip}
               << namedValues(self(), Derived::tailFields());
    }

    QString ip() const { return m_ip; }
    void setIp(const QString& ip) {
        m_ip = ip;
        this->m_message.clear();
    }

protected:
    explicit SplitAddressSentence(const QString& messageType)
        : ClonableMessage<Derived>(messageType) {
        this->initProprietary();
    }
    QStringList buildFields() const override {
        const int decimals = this->m_number_of_decimals;
        return writeFields(self(), Derived::headFields(), decimals) + ipAddressFields(m_ip) +
               writeFields(self(), Derived::tailFields(), decimals);
    }
    bool acceptsValues() const { return true; }

    QString m_ip;

private:
    Derived& self() { return static_cast<Derived&>(*this); }
    const Derived& self() const { return static_cast<const Derived&>(*this); }
};

// Set configuration (from the service software).
//   $PNRVSCF,systemName,ip1,ip2,ip3,ip4,sfi,destSfi,group*hh      (group 0..255)
class MsgSCF : public SplitAddressSentence<MsgSCF> {
public:
    static std::span<const Field<MsgSCF>> headFields();
    static std::span<const Field<MsgSCF>> tailFields();

    MsgSCF();
    MsgSCF(const QString& systemName, const QString& ip, const QString& sfi, const QString& destSfi,
           int group);

    // The group is one unsigned byte on the network; anything outside is not a group.
    bool acceptsValues() const;

    SENTENCE_FIELD(QString, systemName, setSystemName)
    SENTENCE_FIELD(QString, sfi, setSfi)
    SENTENCE_FIELD(QString, destSfi, setDestSfi)
    SENTENCE_FIELD(int, group, setGroup)
};

// Report configuration.
//   $PNRVRCF,systemType,systemName,serialNo,ip1,ip2,ip3,ip4,mac,sfi,destSfi,firmwareVer,group,
//            vq2_serNo,vq2_firmwVer*hh
class MsgRCF : public SplitAddressSentence<MsgRCF> {
public:
    static std::span<const Field<MsgRCF>> headFields();
    static std::span<const Field<MsgRCF>> tailFields();

    MsgRCF();
    MsgRCF(int systemType, const QString& systemName, const QString& serialNo, const QString& ip,
           const QString& mac, const QString& sfi, const QString& destSfi,
           const QString& firmwareVer, int group, const QString& vq2_serNo,
           const QString& vq2_firmwVer);

    SENTENCE_FIELD(int, systemType, setSystemType)
    SENTENCE_FIELD(QString, systemName, setSystemName)
    SENTENCE_FIELD(QString, serialNo, setSerialNo)
    SENTENCE_FIELD(QString, mac, setMac)
    SENTENCE_FIELD(QString, sfi, setSfi)
    SENTENCE_FIELD(QString, destSfi, setDestSfi)
    SENTENCE_FIELD(QString, firmwareVer, setFirmwareVer)
    SENTENCE_FIELD(int, group, setGroup)
    SENTENCE_FIELD(QString, vq2_serNo, setVq2_serNo)
    SENTENCE_FIELD(QString, vq2_firmwVer, setVq2_firmwVer)
};

// Configuration report in two parts, only sent.
//   part 1:     $PNRVCFGR,1,systemType,systemName,serialNo,firmwareVer,vq2_serNo,vq2_firmwVer*hh
//   any other:  $PNRVCFGR,msgPartIndex,ip1,ip2,ip3,ip4,mac,sfi,destSfi,group*hh
class MsgCFGR : public ClonableMessage<MsgCFGR> {
public:
    static std::span<const Field<MsgCFGR>> identityFields();
    static std::span<const Field<MsgCFGR>> networkFields();

    MsgCFGR();
    explicit MsgCFGR(int msgPartIndex);

    bool setParams(const QStringList&) override { return reject(); }
    QList<NamedValue> fieldValues() const override;

protected:
    QStringList buildFields() const override;

private:
    bool isIdentityPart() const { return m_msgPartIndex == 1; }

    SENTENCE_FIELD(int, msgPartIndex, setMsgPartIndex)
    SENTENCE_FIELD(int, systemType, setSystemType)
    SENTENCE_FIELD(QString, systemName, setSystemName)
    SENTENCE_FIELD(QString, serialNo, setSerialNo)
    SENTENCE_FIELD(QString, firmwareVer, setFirmwareVer)
    SENTENCE_FIELD(QString, vq2_serNo, setVq2_serNo)
    SENTENCE_FIELD(QString, vq2_firmwVer, setVq2_firmwVer)
    SENTENCE_FIELD(QString, ip, setIp)
    SENTENCE_FIELD(QString, mac, setMac)
    SENTENCE_FIELD(QString, sfi, setSfi)
    SENTENCE_FIELD(QString, destSfi, setDestSfi)
    SENTENCE_FIELD(int, group, setGroup)
};
