#pragma once

#include "auxterminals.h"
#include "gpiointerrupt.h"
#include "junctionbox/kc40_aux_setup.h"
#include "nmeamessage.h"
#include "platformtimer.h"
#include "speedpulsetrain.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class SystemSetup;
class SystemVariables;

// The junction box's auxiliary terminals at work: speed pulses for log repeaters, the alarm
// relay and beeper, the power-failure, dead-man, speed-limit, blanking and ping outputs, and
// the operator's inputs (acknowledge, silence, mute, ahead/astern). Every state change of the
// terminals is shown on the display. In standby every output is inactive and the inputs are
// not heeded.
class KC40_AUX_Handler : public QObject {
    Q_OBJECT
public:
    // The calibrated longitudinal speeds the pulses follow; nothing while invalid.
    struct Speeds {
        std::function<std::optional<float>()> stw;
        std::function<std::optional<float>()> sog;
    };
    // The speeds of the data sets currently used for water and for ground.
    static Speeds speedsOf(SystemVariables& values);

    static constexpr int kBeepLengthMs = 600;
    static constexpr int kTimeBetweenBeepsMs = 400;
    static constexpr int kBeepsPerAlarm = 2;
    static constexpr int kFitnessPulseMs = 100;
    static constexpr int kPingPulseDelayMs = 40;
    static constexpr int kPingPulseNormalMs = 300;
    static constexpr int kPingPulseLowDepthMs = 300;
    static constexpr int kFirstSpeedPulseMs = 1000;

    KC40_AUX_Handler(SystemSetup& setup, Speeds speeds, QObject* parent = nullptr);

    const AuxTerminals& terminals() const { return m_terminals; }

public Q_SLOTS:
    // An alert awaits acknowledgement (true): the alarm relay opens and the beeper sounds.
    void slotSetAlarmAuxOutput(bool active);
    void slotSetSpeedLimitAuxOutput(bool active);
    void slotSilenceAlarmBeepOutput(bool silenced);
    // The terminals' functions from the display (ICM 14).
    void slotAuxSetupMessage(NmeaMessagePtr message);
    // A sensor measurement: the ping output pulses shortly after it.
    void slotDatReceived(bool lowDepth);
    // The sensor's mute took effect: the blanking output follows.
    void slotSynchConfirmed(bool on);
    // Every terminal to the state its function holds, then shown on the display.
    void slotUpdateOutputs();
    // Standby stops the speed pulses; waking starts them again.
    void slotStandbyConfirmed(bool standby);
    // One dead-man pulse per sign of life from the display.
    void generateFittnesPulse();
    void slotAuxInterrupt(const QString& pinName);

Q_SIGNALS:
    void sigSendSingleOnUdpOutput(NmeaMessagePtr message);
    void sigOnAlarmAcked();
    void sigOnAlarmSilenced();
    // Mute (true) or unmute the sensor.
    void sigSynchRequest(bool mute);
    void sigForwReverseChanged(bool reverse);

private:
    bool inStandby() const;
    void sendAuxStates();
    void generateAlarmBeep();
    void stopBeep();
    void SynchFunction(bool request);

    SystemSetup& m_setup;
    AuxTerminals m_terminals;
    GpioInterrupt* auxInterrupt;
    KC40_Aux_Handler_Setup auxhandlerSetup;
    SpeedPulseTrain* outputPulseGeneratorStw;
    SpeedPulseTrain* outputPulseGeneratorSog;
    PlatformTimer fittnesPulseGenerator;
    bool fitnessPulseState = false;
    PlatformTimer alarmBeepGenerator;
    int beepCount = 0;
    bool beepState = false;
    bool beepSilenced = false;
    PlatformTimer pingPulseDelay;
    PlatformTimer pingPulseStop;
    int pulseCurrentLength = kPingPulseNormalMs;
    bool synchOn = false;
    bool alarmOutputState = false;
};
