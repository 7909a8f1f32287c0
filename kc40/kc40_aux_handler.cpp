#include "kc40_aux_handler.h"

#include "logger.h"
#include "msgicm.h"
#include "setupmessages.h"
#include "systemsetup.h"
#include "systemvariables.h"

#include <QDebug>

namespace {
const QString kStwPulse = QStringLiteral("StwPulseOutput");
const QString kSogPulse = QStringLiteral("SogPulseOutput");
const QString kBeep = QStringLiteral("AlarmBeepOutput");
const QString kAlarm = QStringLiteral("AlarmOutput");
const QString kDeadMan = QStringLiteral("DeadManOutput");
const QString kPowerFailure = QStringLiteral("PowerFailureOutput");
const QString kSpeedLimit = QStringLiteral("SpeedLimit");
const QString kSynchOut = QStringLiteral("SynchOut");
const QString kPingOut = QStringLiteral("Ping out");
const QString kDisabled = QStringLiteral("Disabled");
const QString kMuteIn = QStringLiteral("Mute in");
const QString kAcknowledge = QStringLiteral("Alarm acknowledge");
const QString kSilence = QStringLiteral("Alarm silence");
const QString kForwardReverse = QStringLiteral("FWD/REV");

std::optional<float> validKnots(varFloat& speed) {
    return speed.getValidity() ? std::optional<float>(speed.getValue()) : std::nullopt;
}
} // namespace

KC40_AUX_Handler::Speeds KC40_AUX_Handler::speedsOf(SystemVariables& values) {
    return {[&values] { return validKnots(values.currentVQ2stwData->stwLongBoatCallibrated); },
            [&values] { return validKnots(values.currentVQ2data->sogLongBoatCallibrated); }};
}

KC40_AUX_Handler::KC40_AUX_Handler(SystemSetup& setup, Speeds speeds, QObject* parent)
    : QObject(parent), m_setup(setup),
      m_terminals(setup.Kc40AuxSetup, [this] { return inStandby(); }),
      auxInterrupt(new GpioInterrupt(this)) {
    for (int i = 0; i < m_terminals.count(); ++i) {
        auxInterrupt->registerInterrupt(m_terminals.pin(i));
    }
    connect(auxInterrupt, &GpioInterrupt::emitInterrupt, this, &KC40_AUX_Handler::slotAuxInterrupt,
            Qt::QueuedConnection);
    const auto train = [this](const QString& name, const QString& function,
                              std::function<std::optional<float>()> knots) {
        return new SpeedPulseTrain(
            {name, std::move(knots), [this] { return auxhandlerSetup.values().pulsesPerMile; },
             [this, function](bool pulse) { m_terminals.setFunction(function, pulse); },
             [this] { return inStandby(); }},
            this);
    };
    outputPulseGeneratorStw = train(QStringLiteral("STW"), kStwPulse, std::move(speeds.stw));
    outputPulseGeneratorSog = train(QStringLiteral("SOG"), kSogPulse, std::move(speeds.sog));
    connect(&fittnesPulseGenerator, &PlatformTimer::timeout, this,
            &KC40_AUX_Handler::generateFittnesPulse);
    connect(&alarmBeepGenerator, &PlatformTimer::timeout, this,
            &KC40_AUX_Handler::generateAlarmBeep);
    connect(&pingPulseDelay, &PlatformTimer::timeout, this, [this] {
        if (m_terminals.serves(kPingOut)) {
            m_terminals.setFunction(kPingOut, true);
            pingPulseStop.start(pulseCurrentLength);
        }
    });
    connect(&pingPulseStop, &PlatformTimer::timeout, this,
            [this] { m_terminals.setFunction(kPingOut, false); });
    outputPulseGeneratorStw->start(kFirstSpeedPulseMs);
    outputPulseGeneratorSog->start(kFirstSpeedPulseMs);
    m_terminals.setFunction(kSpeedLimit, false);
    // Idle until the first measurement: an exported pin starts low, which a ping output reads
    // as a pulse.
    m_terminals.setFunction(kPingOut, false);
    slotUpdateOutputs();
}

bool KC40_AUX_Handler::inStandby() const {
    return m_setup.getSystemInStandby();
}

void KC40_AUX_Handler::sendAuxStates() {
    Q_EMIT sigSendSingleOnUdpOutput(m_terminals.getAuxStates());
}

void KC40_AUX_Handler::slotUpdateOutputs() {
    for (int i = 0; i < m_terminals.count(); ++i) {
        const QString function = m_terminals.functionOf(i);
        if (function == kSynchOut) {
            m_terminals.setOutput(i, synchOn);
        } else if (function == kBeep) {
            m_terminals.setOutput(i, beepState);
        } else if (function == kPowerFailure) {
            m_terminals.setOutput(i, true);
        } else if (function == kAlarm) {
            m_terminals.setOutput(i, !alarmOutputState);
        } else if (function == kStwPulse) {
            // A pulse on its way is not cut short.
            m_terminals.setOutput(i, outputPulseGeneratorStw->level());
        } else if (function == kSogPulse) {
            m_terminals.setOutput(i, outputPulseGeneratorSog->level());
        } else if (function == kDeadMan) {
            m_terminals.setOutput(i, fitnessPulseState);
        } else if (function == kDisabled) {
            m_terminals.setOutput(i, false);
        }
    }
    sendAuxStates();
}

void KC40_AUX_Handler::slotStandbyConfirmed(bool standby) {
    if (!standby) {
        for (SpeedPulseTrain* train : {outputPulseGeneratorStw, outputPulseGeneratorSog}) {
            if (!train->isRunning()) {
                train->start(kFirstSpeedPulseMs);
            }
        }
    }
    slotUpdateOutputs();
}

void KC40_AUX_Handler::generateFittnesPulse() {
    if (inStandby()) {
        return;
    }
    if (fitnessPulseState) {
        fittnesPulseGenerator.stop();
    } else {
        fittnesPulseGenerator.start(kFitnessPulseMs);
    }
    fitnessPulseState = !fitnessPulseState;
    m_terminals.setFunction(kDeadMan, fitnessPulseState);
}

void KC40_AUX_Handler::slotSetAlarmAuxOutput(bool active) {
    if (inStandby()) {
        return;
    }
    alarmOutputState = active;
    if (beepSilenced) {
        qDebug() << "beepSilenced";
        stopBeep();
        return;
    }
    m_terminals.setFunction(kAlarm, !active);
    if (active) {
        beepCount = 0;
        beepState = false;
        alarmBeepGenerator.start(0);
    } else {
        stopBeep();
    }
    sendAuxStates();
}

void KC40_AUX_Handler::stopBeep() {
    alarmBeepGenerator.stop();
    m_terminals.setFunction(kBeep, false);
    beepState = false;
    beepCount = 0;
}

void KC40_AUX_Handler::generateAlarmBeep() {
    if (!beepState) {
        if (!beepSilenced) {
            m_terminals.setFunction(kBeep, true);
        }
        alarmBeepGenerator.start(kBeepLengthMs);
    } else {
        m_terminals.setFunction(kBeep, false);
        if (++beepCount < kBeepsPerAlarm) {
            alarmBeepGenerator.start(kTimeBetweenBeepsMs);
        } else {
            alarmBeepGenerator.stop();
            beepCount = 0;
        }
    }
    beepState = !beepState;
}

void KC40_AUX_Handler::slotSilenceAlarmBeepOutput(bool silenced) {
    beepSilenced = silenced;
}

void KC40_AUX_Handler::slotSetSpeedLimitAuxOutput(bool active) {
    m_terminals.setFunction(kSpeedLimit, active);
}

void KC40_AUX_Handler::slotDatReceived(bool lowDepth) {
    pulseCurrentLength = lowDepth ? kPingPulseLowDepthMs : kPingPulseNormalMs;
    pingPulseDelay.start(kPingPulseDelayMs);
}

void KC40_AUX_Handler::slotSynchConfirmed(bool on) {
    synchOn = on;
    m_terminals.setFunction(kSynchOut, on);
}

void KC40_AUX_Handler::slotAuxSetupMessage(NmeaMessagePtr message) {
    const auto* icm = dynamic_cast<const MsgICM*>(message.get());
    if (icm == nullptr || !m_setup.Kc40AuxSetup.setFunctionCodes(icm->msgParameters())) {
        Logger::instance()->append(QStringLiteral("AUX setup rejected: ") +
                                       (icm ? icm->getMsgBuffer().trimmed() : QString()),
                                   Logger::LOG_WARNING);
        // The display shows again what the terminals do.
        Q_EMIT sigSendSingleOnUdpOutput(SetupMessages::createAuclSetupMsg(m_setup));
        return;
    }
    Q_EMIT sigSendSingleOnUdpOutput(NmeaMessagePtr(message->clone()));
    slotUpdateOutputs();
}

void KC40_AUX_Handler::SynchFunction(bool request) {
    if (!inStandby()) {
        synchOn = request;
        Q_EMIT sigSynchRequest(synchOn);
    }
    qDebug() << (request ? "MUTE ON" : "MUTE OFF");
}

void KC40_AUX_Handler::slotAuxInterrupt(const QString& pinName) {
    const int index = m_terminals.indexOfPin(pinName);
    if (inStandby() || index < 0) {
        return;
    }
    const bool level = m_terminals.pin(index).getState();
    qDebug() << "AUX new state: " << level;
    const QString function = m_terminals.functionOf(index);
    if (function == kMuteIn) {
        SynchFunction(!level);
    } else if (function == kAcknowledge) {
        Q_EMIT sigOnAlarmAcked();
    } else if (function == kSilence) {
        beepSilenced = true;
        Q_EMIT sigOnAlarmSilenced();
    } else if (function == kForwardReverse) {
        Q_EMIT sigForwReverseChanged(!level);
    }
    sendAuxStates();
}
