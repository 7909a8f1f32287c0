#include "outpu_channels_setup.h"

#include "configurationlog.h"
#include "default_channels_config.h"
#include "setupmessages.h"

#include <algorithm>

namespace {
constexpr int kHeaderCount = 4;

void logDropped(const QList<int>& parameters, const char* reason) {
    QStringList values;
    for (int p : parameters) {
        values << QString::number(p);
    }
    qCWarning(lcConfiguration).noquote()
        << QStringLiteral("Channel setup %1 dropped: %2")
               .arg(values.join(QLatin1Char(',')), QLatin1String(reason));
}
} // namespace

Outpu_Channels_Setup::Outpu_Channels_Setup()
    : chSetupReceivedFlag(Default_Channels_config::kChannelCount, false) {
    outputChannels.reserve(Default_Channels_config::kChannelCount);
    for (const QString& name : Default_Channels_config::channelList) {
        outputChannels.emplace_back(name);
    }
}

const SingleChannelSetup* Outpu_Channels_Setup::channel(const QString& name) const {
    const int index = Default_Channels_config::channelIndex(name);
    return index < 0 ? nullptr : &outputChannels[index];
}

SingleChannelSetup* Outpu_Channels_Setup::channel(const QString& name) {
    const int index = Default_Channels_config::channelIndex(name);
    return index < 0 ? nullptr : &outputChannels[index];
}

bool Outpu_Channels_Setup::isEnabled(const QString& msgType, const QString& channelName) const {
    const SingleChannelSetup* c = channel(channelName);
    return c && c->isEnabled(msgType);
}

bool Outpu_Channels_Setup::isEnabledByAny(const QString& msgType) const {
    return std::any_of(outputChannels.begin(), outputChannels.end(),
                       [&](const SingleChannelSetup& c) { return c.isEnabled(msgType); });
}

void Outpu_Channels_Setup::setEnabled(const QString& channelName, const QString& msgType,
                                      bool enabled) {
    if (SingleChannelSetup* c = channel(channelName)) {
        c->setMsgsEnabled(msgType, enabled);
    }
}

int Outpu_Channels_Setup::getChannelBaudRate(const QString& channelName) const {
    return nmeaBauds.getChannelBaudRate(channelName);
}

bool Outpu_Channels_Setup::setChannelBaudRate(const QString& channelName, int baud) {
    return nmeaBauds.setChannelBaudRate(channelName, baud);
}

bool Outpu_Channels_Setup::getChannelUseTwoDecimals(const QString& channelName) const {
    return nmeaDecimals.getChannelUseTwoDecimals(channelName);
}

bool Outpu_Channels_Setup::setChannelUseTwoDecimals(const QString& channelName, bool two) {
    return nmeaDecimals.setChannelUseTwoDecimals(channelName, two);
}

QString Outpu_Channels_Setup::getChannelAlarmMsgType(const QString& channelName) const {
    return nmeaAlrTypes.getChannelAlarmMsgType(channelName);
}

bool Outpu_Channels_Setup::setChannelAlarmMsgType(const QString& channelName, const QString& type) {
    return nmeaAlrTypes.setChannelAlarmMsgType(channelName, type);
}

bool Outpu_Channels_Setup::isAlarmOutputEnabled(const QString& channelName) const {
    return getChannelAlarmMsgType(channelName) == Default_Channels_config::alarmMsgList[0];
}

QStringList Outpu_Channels_Setup::getAvailableMsgsTypes(const QString& channelName) const {
    const SingleChannelSetup* c = channel(channelName);
    return c ? c->getAvailableMsgsTypes() : QStringList();
}

QList<bool> Outpu_Channels_Setup::getAvailableMsgsEnabled(const QString& channelName) const {
    const SingleChannelSetup* c = channel(channelName);
    return c ? c->getAvailableMsgsEnabled() : QList<bool>();
}

std::shared_ptr<MsgICM>
Outpu_Channels_Setup::getChannelSetupMessage(const QString& channelName) const {
    const SingleChannelSetup* c = channel(channelName);
    if (!c) {
        return nullptr;
    }
    QList<int> p{
        Default_Channels_config::channelIndex(channelName), getChannelBaudRate(channelName),
        int(Default_Channels_config::alarmMsgList.indexOf(getChannelAlarmMsgType(channelName))),
        int(getChannelUseTwoDecimals(channelName))};
    const QList<Sing_Ch_Sing_Msg_S>& records = c->records();
    for (int type = 0; type < records.size(); ++type) {
        if (records[type].allowed) {
            p << type << int(records[type].enabled);
        }
    }
    return SetupMessages::icm(msgCommands::OCFsetupCommand, p);
}

Outpu_Channels_Setup::ChannelMessage
Outpu_Channels_Setup::setChannel(const QList<int>& parameters) {
    if (parameters.size() < kHeaderCount) {
        logDropped(parameters, "too few values");
        return ChannelMessage::Dropped;
    }
    const int index = parameters[0];
    const int alarmIndex = parameters[2];
    if (index < 0 || index >= Default_Channels_config::kChannelCount) {
        logDropped(parameters, "unknown channel");
        return ChannelMessage::Dropped;
    }
    if (alarmIndex < 0 || alarmIndex >= Default_Channels_config::alarmMsgList.size()) {
        logDropped(parameters, "unknown alarm output");
        return ChannelMessage::Dropped;
    }
    const QString& name = Default_Channels_config::channelList[index];
    bool complete = (parameters.size() - kHeaderCount) % 2 == 0;
    QStringList types;
    QList<bool> enabled;
    for (qsizetype i = kHeaderCount; i + 1 < parameters.size(); i += 2) {
        const int type = parameters[i];
        if (type < 0) {
            continue;
        }
        if (type >= Default_Channels_config::kTypeCount) {
            complete = false;
            continue;
        }
        types << Default_Channels_config::typeList[type];
        enabled << (parameters[i + 1] != 0);
    }
    outputChannels[index].setMsgsEnabled(types, enabled);
    chSetupReceivedFlag[index] = true;

    const int baud = parameters[1];
    if (NMEA_Bauds_Setup::isSupportedBaud(baud)) {
        setChannelBaudRate(name, baud);
    } else {
        complete = false;
    }
    setChannelAlarmMsgType(name, Default_Channels_config::alarmMsgList[alarmIndex]);
    setChannelUseTwoDecimals(name, parameters[3] != 0);
    if (!complete) {
        qCWarning(lcConfiguration).noquote()
            << QStringLiteral("Channel setup for %1 taken without its unusable values").arg(name);
        return ChannelMessage::PartlyApplied;
    }
    return ChannelMessage::Applied;
}

bool Outpu_Channels_Setup::getSetupReceivedFlag() const {
    return std::all_of(chSetupReceivedFlag.begin(), chSetupReceivedFlag.end(),
                       [](bool received) { return received; });
}

void Outpu_Channels_Setup::setSetupReceivedFlag(const QString& channelName, bool received) {
    const int index = Default_Channels_config::channelIndex(channelName);
    if (index >= 0) {
        chSetupReceivedFlag[index] = received;
    }
}

void Outpu_Channels_Setup::getDefaults() {
    for (SingleChannelSetup& c : outputChannels) {
        c.getDefaults();
    }
    nmeaBauds.getDefaults();
    nmeaAlrTypes.getDefaults();
}

bool Outpu_Channels_Setup::saveToFile(const QString& suffix) const {
    bool saved = true;
    for (const SingleChannelSetup& c : outputChannels) {
        saved &= c.saveToFile(suffix);
    }
    saved &= nmeaBauds.saveToFile(suffix);
    saved &= nmeaAlrTypes.saveToFile(suffix);
    saved &= nmeaDecimals.saveToFile(suffix);
    return saved;
}

bool Outpu_Channels_Setup::loadFromFile(const QString& suffix) {
    bool loaded = true;
    for (SingleChannelSetup& c : outputChannels) {
        loaded &= c.loadFromFile(suffix);
    }
    loaded &= nmeaBauds.loadFromFile(suffix);
    loaded &= nmeaAlrTypes.loadFromFile(suffix);
    loaded &= nmeaDecimals.loadFromFile(suffix);
    return loaded;
}
