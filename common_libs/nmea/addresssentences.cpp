#include "addresssentences.h"

namespace {
constexpr int kLargestGroup = 255;
} // namespace

MsgSCF::MsgSCF() : SplitAddressSentence(QStringLiteral("SCF")) {}

MsgSCF::MsgSCF(const QString& systemName, const QString& ip, const QString& sfi,
               const QString& destSfi, int group)
    : MsgSCF() {
    initForSending();
    m_systemName = systemName;
    m_ip = ip;
    m_sfi = sfi;
    m_destSfi = destSfi;
    m_group = group;
}

bool MsgSCF::acceptsValues() const {
    return m_group >= 0 && m_group <= kLargestGroup;
}

std::span<const Field<MsgSCF>> MsgSCF::headFields() {
    static constexpr Field<MsgSCF> table[] = {
        {"systemName", &MsgSCF::m_systemName, fmt::text()},
    };
    return table;
}

std::span<const Field<MsgSCF>> MsgSCF::tailFields() {
    static constexpr Field<MsgSCF> table[] = {
        {"sfi", &MsgSCF::m_sfi, fmt::text()},
        {"destSfi", &MsgSCF::m_destSfi, fmt::text()},
        {"group", &MsgSCF::m_group, fmt::integer()},
    };
    return table;
}

MsgRCF::MsgRCF() : SplitAddressSentence(QStringLiteral("RCF")) {}

MsgRCF::MsgRCF(int systemType, const QString& systemName, const QString& serialNo,
               const QString& ip, const QString& mac, const QString& sfi, const QString& destSfi,
               const QString& firmwareVer, int group, const QString& vq2_serNo,
               const QString& vq2_firmwVer)
    : MsgRCF() {
    initForSending();
    m_systemType = systemType;
    m_systemName = systemName;
    m_serialNo = serialNo;
    m_ip = ip;
    m_mac = mac;
    m_sfi = sfi;
    m_destSfi = destSfi;
    m_firmwareVer = firmwareVer;
    m_group = group;
    m_vq2_serNo = vq2_serNo;
    m_vq2_firmwVer = vq2_firmwVer;
}

std::span<const Field<MsgRCF>> MsgRCF::headFields() {
    static constexpr Field<MsgRCF> table[] = {
        {"systemType", &MsgRCF::m_systemType, fmt::integer()},
        {"systemName", &MsgRCF::m_systemName, fmt::text()},
        {"serialNo", &MsgRCF::m_serialNo, fmt::text()},
    };
    return table;
}

std::span<const Field<MsgRCF>> MsgRCF::tailFields() {
    static constexpr Field<MsgRCF> table[] = {
        {"mac", &MsgRCF::m_mac, fmt::text()},
        {"sfi", &MsgRCF::m_sfi, fmt::text()},
        {"destSfi", &MsgRCF::m_destSfi, fmt::text()},
        {"firmwareVer", &MsgRCF::m_firmwareVer, fmt::text()},
        {"group", &MsgRCF::m_group, fmt::integer()},
        {"vq2_serNo", &MsgRCF::m_vq2_serNo, fmt::text()},
        {"vq2_firmwVer", &MsgRCF::m_vq2_firmwVer, fmt::text()},
    };
    return table;
}

MsgCFGR::MsgCFGR() : ClonableMessage(QStringLiteral("CFGR")) {
    initProprietary();
}

MsgCFGR::MsgCFGR(int msgPartIndex) : MsgCFGR() {
    initForSending();
    m_msgPartIndex = msgPartIndex;
}

QStringList MsgCFGR::buildFields() const {
    if (isIdentityPart()) {
        return writeFields(*this, identityFields(), m_number_of_decimals);
    }
    const QStringList network = writeFields(*this, networkFields(), m_number_of_decimals);
    return QStringList{network.first()} + ipAddressFields(m_ip) + network.mid(1);
}

QList<NamedValue> MsgCFGR::fieldValues() const {
    if (isIdentityPart()) {
        return namedValues(*this, identityFields());
    }
    QList<NamedValue> values = namedValues(*this, networkFields());
    values.insert(1, NamedValue{QStringLiteral("ip"), m_ip});
    return values;
}

std::span<const Field<MsgCFGR>> MsgCFGR::identityFields() {
    static constexpr Field<MsgCFGR> table[] = {
        {"msgPartIndex", &MsgCFGR::m_msgPartIndex, fmt::integer()},
        {"systemType", &MsgCFGR::m_systemType, fmt::integer()},
        {"systemName", &MsgCFGR::m_systemName, fmt::text()},
        {"serialNo", &MsgCFGR::m_serialNo, fmt::text()},
        {"firmwareVer", &MsgCFGR::m_firmwareVer, fmt::text()},
        {"vq2_serNo", &MsgCFGR::m_vq2_serNo, fmt::text()},
        {"vq2_firmwVer", &MsgCFGR::m_vq2_firmwVer, fmt::text()},
    };
    return table;
}

// The address fields go between the part index and the MAC address.
std::span<const Field<MsgCFGR>> MsgCFGR::networkFields() {
    static constexpr Field<MsgCFGR> table[] = {
        {"msgPartIndex", &MsgCFGR::m_msgPartIndex, fmt::integer()},
        {"mac", &MsgCFGR::m_mac, fmt::text()},
        {"sfi", &MsgCFGR::m_sfi, fmt::text()},
        {"destSfi", &MsgCFGR::m_destSfi, fmt::text()},
        {"group", &MsgCFGR::m_group, fmt::integer()},
    };
    return table;
}
