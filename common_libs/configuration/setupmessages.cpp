#include "setupmessages.h"

#include "nmeaparser.h"
#include "systemsetup.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>

namespace {
int charCode(const QString& text, int index) {
    return index < text.size() ? text.at(index).unicode() : 0;
}
} // namespace

int SetupMessages::toScaled(float value, int scale) {
    if (std::isnan(value)) {
        return 0;
    }
    // Exact in double for the scales in use: 24 bits of a float times at most 14 of a scale.
    const double product = double(value) * scale;
    const double nearest = std::round(product);
    // A decimal held as a float is off by at most half a float step, so a product within one
    // step of a whole number is that number; anything further off is a real fraction.
    const bool whole =
        std::abs(product - nearest) <= std::max(1.0, std::abs(product)) * double(FLT_EPSILON);
    const double scaled = whole ? nearest : std::trunc(product);
    return static_cast<int>(std::clamp(scaled, double(INT_MIN), double(kAbsentInt - 1)));
}

std::shared_ptr<MsgICM> SetupMessages::icm(msgCommands command, const QList<int>& parameters) {
    return std::make_shared<MsgICM>(kMessageVersion, command, parameters);
}

std::shared_ptr<MsgIDM> SetupMessages::idm(msgCommands command, const QStringList& parameters) {
    return std::make_shared<MsgIDM>(kMessageVersion, command, parameters);
}

std::shared_ptr<MsgICM> SetupMessages::createJbSetupMsg(const SystemSetup& setup) {
    const KC40_Setup_S& kc40 = setup.Kc40Setup.values();
    QList<int> p;
    for (const QString& part : kc40.ipAddress.split(QLatin1Char('.'))) {
        p << part.toInt();
    }
    p << kc40.localID.mid(2).toInt() << SystemSetup::getGroupIndex(kc40.group);
    p << charCode(kc40.alarmID, 0) << charCode(kc40.alarmID, 1) << kc40.alarmID.mid(2).toInt();
    p << static_cast<int>(kc40.serialNumber);
    const QStringList version = setup.Kc40Setup.getSoftwareVersion().split(QLatin1Char('.'));
    if (version.size() >= 4) {
        for (int i = 0; i < 4; ++i) {
            p << version[i].toInt();
        }
    } else {
        p << 0 << 0 << 0;
    }
    if (kc40.hwVersion.size() == 2) {
        p << kc40.hwVersion.at(0).unicode() << kc40.hwVersion.mid(1).toInt();
    } else {
        p << kUnknownHardware << kUnknownHardware;
    }
    return icm(msgCommands::JBsetupCommand, p);
}

std::shared_ptr<MsgIDM> SetupMessages::createJbSetupMsgIDM(const SystemSetup& setup) {
    const KC40_Setup_S& kc40 = setup.Kc40Setup.values();
    return idm(msgCommands::JBsetupCommand,
               {kc40.unitName, kc40.remoteDDC,
                kc40.lowSpeedGPS_Correction ? QStringLiteral("ON") : QStringLiteral("OFF")});
}

std::shared_ptr<MsgICM> SetupMessages::createVq2SetupMsg(const SystemSetup& setup) {
    const VQ2_Setup_S& v = setup.Vq2Setup.values();
    return icm(msgCommands::VQ2setupCommand, {toScaled(v.draft, 10),
                                              toScaled(v.vesselMaxSpeed, 10),
                                              toScaled(v.vesselLength, 10),
                                              toScaled(v.sensorDistanceFromBow, 10),
                                              toScaled(v.tonnage, 10),
                                              v.averagingTime,
                                              v.lowSpeedAveragingTime,
                                              v.currentCorrection,
                                              int(v.stwOn),
                                              int(v.sogLostBottom),
                                              v.shalowWaterPingLenght,
                                              v.deepWaterPingLenght,
                                              static_cast<int>(v.depthPingChangeLimit),
                                              int(v.useTwoDecimals),
                                              0,
                                              0,
                                              int(setup.Vq2Setup.getNewSensorFirmware()),
                                              setup.Vq2Setup.getOutputParamsToInt(),
                                              int(v.newDepthSwitch),
                                              int(setup.sensorFirmware213()),
                                              v.samplingDistance});
}

std::shared_ptr<MsgICM> SetupMessages::createVq2SetupMsg2(const SystemSetup& setup) {
    const VQ2_Setup_S& v = setup.Vq2Setup.values();
    return icm(msgCommands::VQ2setup2Command,
               {v.stwAveragingTime, v.stwLowSpeedAveragingTime, int(v.primaryFrequencyHigh),
                toScaled(v.sogFrequendcyChangeTreshold, 10)});
}

std::shared_ptr<MsgICM> SetupMessages::createAllSetupMsg(const SystemSetup& setup) {
    const AlarmLimits_Setup_S& l = setup.AlarmLimitsSetup.values();
    return icm(msgCommands::ALLsetupCommand,
               {toScaled(l.stwHighLimit, 100), toScaled(l.stwLowLimit, 100),
                toScaled(l.sogHighLimit, 100), toScaled(l.sogLowLimit, 100),
                toScaled(l.speedLevelHigh1, 100), toScaled(l.speedLevelLow1, 100),
                toScaled(l.speedLevelHigh2, 100), toScaled(l.speedLevelLow2, 100)});
}

std::shared_ptr<MsgICM> SetupMessages::createAliSetupMsg(const SystemSetup& setup) {
    const AlarmIDs_Setup_S& a = setup.AlarmIDsSetup.values();
    return icm(msgCommands::ALIsetupCommand,
               {a.stwHighAlarmID, a.stwLowAlarmID, a.sogHighAlarmID, a.sogLowAlarmID,
                a.systemAlarmID, int(a.useALR), a.escalationTime});
}

std::shared_ptr<MsgICM> SetupMessages::createCalibrationCoeffsMsg(const SystemSetup& setup) {
    const calibration_s& c = setup.calibCoeffs.values();
    return icm(msgCommands::CalibrationCoeffitients,
               {toScaled(c.instalationAngle, 100), toScaled(c.STW_offsetAngle, 100),
                int(c.is_STW_offsetOn), toScaled(c.pitch, 100), toScaled(c.roll, 100),
                toScaled(c.realTemp1, 100), toScaled(c.measuredTemp1, 100),
                toScaled(c.realTemp2, 100), toScaled(c.measuredTemp2, 100),
                toScaled(c.satLogAngleOffsetDegrees, 100), int(c.stopOnGPS)});
}

std::shared_ptr<MsgICM> SetupMessages::createOcfSetupMsg(const SystemSetup& setup,
                                                         const QString& channel) {
    return setup.OutputChannelsSetup.getChannelSetupMessage(channel);
}

std::shared_ptr<MsgICM> SetupMessages::createSensorTimerMsg(const SystemSetup& setup) {
    const SensorUpTimer_S& t = setup.sensTimer.values();
    return icm(msgCommands::SensorTimerSetup, {t.serialNumber.toInt(), t.hourCount, t.msgCount});
}

std::shared_ptr<MsgICM> SetupMessages::createAuclSetupMsg(const SystemSetup& setup) {
    const KC40_Aux_Setup& aux = setup.Kc40AuxSetup;
    QList<int> parameters;
    for (int i = 0; i < aux.getAuxCount(); ++i) {
        parameters << KC40_Aux_Setup::auxNameToInt(aux.getAuxName(i)) << aux.getAuxDirectionInt(i)
                   << KC40_Aux_Setup::functionNameToInt(aux.getFunctionName(i));
    }
    return icm(msgCommands::AUCLsetupCommand, parameters);
}
