#include "systemsetup.h"

#include "channels/default_channels_config.h"
#include "compiledateandtime.h"
#include "msgver.h"
#include "sensor/deviceinfo.h"
#include "setupmessages.h"
#include "systemconfiguration.h"

namespace {
const QStringList kGroups = {"MISC", "TGTD", "SATD", "NAVD", "VDRD", "RCOM", "TIME", "PROP"};

constexpr int kVersionSentences = 3;
constexpr int kVersionSequenceCount = 10;

std::unique_ptr<SystemSetup>& instanceSlot() {
    static std::unique_ptr<SystemSetup> instance;
    return instance;
}
} // namespace

SystemSetup* SystemSetup::getInstance() {
    auto& slot = instanceSlot();
    if (!slot) {
        slot.reset(new SystemSetup);
        SystemConfiguration::publishToSentences();
    }
    return slot.get();
}

void SystemSetup::resetForTests() {
    instanceSlot().reset();
}

SystemSetup::SystemSetup() : Vq2Setup(CompileDateAndTime::getCompileTimestampAsNumber()) {
    AlarmIDsSetup.setStwOn(Vq2Setup.getOutputParamsToInt() == 1);
}

SystemSetup::~SystemSetup() = default;

QString SystemSetup::getGroup(int index) {
    return index >= 0 && index < kGroups.size() ? kGroups[index] : QStringLiteral("NAVD");
}

int SystemSetup::getGroupIndex(const QString& group) {
    return int(kGroups.indexOf(group));
}

bool SystemSetup::multicastGroupValid(const QString& group) {
    return kGroups.contains(group);
}

void SystemSetup::sendIcm(msgCommands command, const QList<int>& parameters) {
    send(SetupMessages::icm(command, parameters));
}

int SystemSetup::getCurrentSogAveragingTime() const {
    switch (averagingUsed) {
    case NormalAvr:
        return Vq2Setup.values().averagingTime;
    case LowSpeedAvr:
        return Vq2Setup.values().lowSpeedAveragingTime;
    default:
        return 8;
    }
}

int SystemSetup::getCurrentStwAveragingTime() const {
    switch (averagingUsed) {
    case NormalAvr:
        return Vq2Setup.values().stwAveragingTime;
    case LowSpeedAvr:
        return Vq2Setup.values().stwLowSpeedAveragingTime;
    default:
        return 8;
    }
}

void SystemSetup::confirmSystemStandby(bool standby) {
    systemInStandby = standby;
    RvN003Setup.set(&RV_N_003_Setup_S::systemInStandby, standby);
    emit sigStandbyConfirmed(standby);
    sendIcm(msgCommands::SystemStandby, {int(standby), 1});
    if (wakeUpAfterPowerOff && !standby) {
        wakeUpAfterPowerOff = false;
        sendIcm(msgCommands::ForceDisconnect, {int(standby), 1});
    }
}

QList<NmeaMessagePtr> SystemSetup::getSetupMsgsListTosend() {
    QList<NmeaMessagePtr> list;
    if (AlarmIDsSetup.getSetupReceivedFlag()) {
        list << SetupMessages::createAliSetupMsg(*this);
    }
    if (AlarmLimitsSetup.getSetupReceivedFlag()) {
        list << SetupMessages::createAllSetupMsg(*this);
    }
    if (Vq2Setup.getSetupReceivedFlag()) {
        list << SetupMessages::createVq2SetupMsg(*this);
    }
    if (Vq2Setup.getSetup2ReceivedFlag()) {
        list << SetupMessages::createVq2SetupMsg2(*this);
    }
    if (Kc40Setup.getSetupReceivedFlag()) {
        list << SetupMessages::createJbSetupMsg(*this) << SetupMessages::createJbSetupMsgIDM(*this);
    }
    if (Kc40AuxSetup.getSetupReceivedFlag()) {
        list << SetupMessages::createAuclSetupMsg(*this);
    }
    if (OutputChannelsSetup.getSetupReceivedFlag()) {
        for (const QString& channel : Default_Channels_config::channelList) {
            list << SetupMessages::createOcfSetupMsg(*this, channel);
        }
    }
    if (calibCoeffs.getSetupReceivedFlag()) {
        list << SetupMessages::createCalibrationCoeffsMsg(*this);
    }
    list << SetupMessages::createSensorTimerMsg(*this);
    return list;
}

QList<NmeaMessagePtr> SystemSetup::createVersionMsg(const SensorIdentity& sensor) {
    const KC40_Setup_S& kc40 = Kc40Setup.values();
    const int sequence = versionMsgSequentialIdentifier;
    versionMsgSequentialIdentifier = (versionMsgSequentialIdentifier + 1) % kVersionSequenceCount;
    const QString serial = QString::number(kc40.serialNumber);
    auto version = [&](int number, const QString& serialNumber, const QString& model,
                       const QString& software, const QString& hardware) {
        return std::make_shared<MsgVER>(kVersionSentences, number, DeviceInfo::deviceType(),
                                        DeviceInfo::vendorID(), kc40.localID, serialNumber, model,
                                        software, hardware, sequence);
    };
    return {version(1, serial, DeviceInfo::modelCode(), DeviceInfo::softwareRevision(),
                    DeviceInfo::hardwareRevision()),
            version(2, serial, m_systemType, Kc40Setup.getSoftwareVersion(), kc40.hwVersion),
            version(3, sensor.serialNumber, DeviceInfo::modelCode(), sensor.firmwareRevision,
                    sensor.hardwareRevision)};
}
