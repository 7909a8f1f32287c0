#include "singlechannelsetup.h"

#include "default_channels_config.h"

#include <algorithm>

SingleChannelSetup::SingleChannelSetup(const QString& channelname)
    : RecordList(channelname + kFileSuffix), m_channelname(channelname) {
    readSetup();
}

bool SingleChannelSetup::readSetup() {
    if (readFrom(fileName(), SerializationController::kSetupFolder)) {
        return true;
    }
    if (m_channelname == QLatin1String("LAN") &&
        readFrom(kLegacyLanFile, SerializationController::kSetupFolder)) {
        return true;
    }
    getDefaults();
    return false;
}

void SingleChannelSetup::getDefaults() {
    const int channel = Default_Channels_config::channelIndex(m_channelname);
    m_records.clear();
    for (const auto& type : Default_Channels_config::defaults) {
        Sing_Ch_Sing_Msg_S record;
        record.msgType = QLatin1String(type.msgType);
        if (channel >= 0) {
            record.allowed = type.allowed[channel];
            record.enabled = type.enabled[channel];
        }
        m_records.append(record);
    }
    writeSetup();
}

bool SingleChannelSetup::accept(QList<Sing_Ch_Sing_Msg_S>& loaded) const {
    if (loaded.size() != Default_Channels_config::kTypeCount) {
        return false;
    }
    QList<Sing_Ch_Sing_Msg_S> ordered;
    for (const QString& type : Default_Channels_config::typeList) {
        const auto matches = [&](const Sing_Ch_Sing_Msg_S& r) { return r.msgType == type; };
        if (std::count_if(loaded.begin(), loaded.end(), matches) != 1) {
            return false;
        }
        ordered.append(*std::find_if(loaded.begin(), loaded.end(), matches));
    }
    loaded = ordered;
    return true;
}

QStringList SingleChannelSetup::getMsgsTypes() const {
    QStringList types;
    for (const Sing_Ch_Sing_Msg_S& r : m_records) {
        types << r.msgType;
    }
    return types;
}

QList<bool> SingleChannelSetup::getMsgsEnabled() const {
    QList<bool> flags;
    for (const Sing_Ch_Sing_Msg_S& r : m_records) {
        flags << r.enabled;
    }
    return flags;
}

QList<bool> SingleChannelSetup::getMsgsAllowed() const {
    QList<bool> flags;
    for (const Sing_Ch_Sing_Msg_S& r : m_records) {
        flags << r.allowed;
    }
    return flags;
}

QStringList SingleChannelSetup::getAvailableMsgsTypes() const {
    QStringList types;
    for (const Sing_Ch_Sing_Msg_S& r : m_records) {
        if (r.allowed) {
            types << r.msgType;
        }
    }
    return types;
}

QList<bool> SingleChannelSetup::getAvailableMsgsEnabled() const {
    QList<bool> flags;
    for (const Sing_Ch_Sing_Msg_S& r : m_records) {
        if (r.allowed) {
            flags << r.enabled;
        }
    }
    return flags;
}

bool SingleChannelSetup::isEnabled(const QString& msgType) const {
    const int index = Default_Channels_config::typeIndex(msgType);
    return index >= 0 && m_records[index].enabled;
}

bool SingleChannelSetup::storeEnabled(const QString& msgType, bool enabled) {
    const int index = Default_Channels_config::typeIndex(msgType);
    if (index < 0 || m_records[index].enabled == enabled) {
        return false;
    }
    m_records[index].enabled = enabled;
    return true;
}

void SingleChannelSetup::setMsgsEnabled(const QString& msgType, bool enabled) {
    if (storeEnabled(msgType, enabled)) {
        writeSetup();
    }
}

void SingleChannelSetup::setMsgsEnabled(const QStringList& msgTypes, const QList<bool>& enabled) {
    bool changed = false;
    for (qsizetype i = 0; i < std::min(msgTypes.size(), enabled.size()); ++i) {
        changed |= storeEnabled(msgTypes[i], enabled[i]);
    }
    if (changed) {
        writeSetup();
    }
}
