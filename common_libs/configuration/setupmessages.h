#pragma once

#include "msgicm.h"
#include "msgidm.h"

#include <QList>
#include <QStringList>

#include <memory>

class SystemSetup;

// The configuration sentences the unit sends to the display, built from the records.
class SetupMessages {
public:
    static constexpr int kMessageVersion = 1;
    static constexpr int kUnknownHardware = 63;

    static std::shared_ptr<MsgICM> icm(msgCommands command, const QList<int>& parameters);
    static std::shared_ptr<MsgIDM> idm(msgCommands command, const QStringList& parameters);

    // Display integers carry a value times a scale, truncated toward zero. A value received
    // as 499 and held as the float 4.99 is 498.99998 times 100; products that close to a whole
    // number are that number, so every value goes back out exactly as it came in. The result
    // stays within the integers a field can carry below the absent value (INT_MAX): a setting
    // never goes out as "empty", and one that is no number at all as 0.
    static int toScaled(float value, int scale);
    static float fromScaled(int value, int scale) { return float(value) / float(scale); }

    // Junction-box identity: address parts, local-ID number, group index, alarm-ID
    // characters and number, serial number, software version (four parts, or three zeros),
    // hardware letter and number.
    static std::shared_ptr<MsgICM> createJbSetupMsg(const SystemSetup& setup);
    // Unit name, remote dimming, "ON"/"OFF" low-speed GPS correction.
    static std::shared_ptr<MsgIDM> createJbSetupMsgIDM(const SystemSetup& setup);
    // The 21 vessel/sensor parameters.
    static std::shared_ptr<MsgICM> createVq2SetupMsg(const SystemSetup& setup);
    // STW averaging, STW low-speed averaging, primary frequency high, SOG frequency change
    // threshold x10.
    static std::shared_ptr<MsgICM> createVq2SetupMsg2(const SystemSetup& setup);
    // The eight alarm limits x100.
    static std::shared_ptr<MsgICM> createAllSetupMsg(const SystemSetup& setup);
    // The seven alarm-ID fields.
    static std::shared_ptr<MsgICM> createAliSetupMsg(const SystemSetup& setup);
    // The calibration fields in the order of the calibration command, angles and
    // temperatures x100.
    static std::shared_ptr<MsgICM> createCalibrationCoeffsMsg(const SystemSetup& setup);
    // An output channel's setup (channel, baud, alarm output, decimals, offered types with
    // their enables); null for an unknown channel.
    static std::shared_ptr<MsgICM> createOcfSetupMsg(const SystemSetup& setup,
                                                     const QString& channel);
    // One (terminal, direction, function index) triple per auxiliary terminal.
    static std::shared_ptr<MsgICM> createAuclSetupMsg(const SystemSetup& setup);
    // Sensor serial number, hours, messages.
    static std::shared_ptr<MsgICM> createSensorTimerMsg(const SystemSetup& setup);
};
