#include "alarmcontroller.h"

#include "msgack.h"
#include "msgacn.h"
#include "msgicm.h"
#include "nmeaparser.h"
#include "systemsetup.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kIcmVersion = 1;

const AlarmIDs_Setup& alarmIds() {
    return SystemSetup::getInstance()->AlarmIDsSetup;
}

const AlarmLimits_Setup& alarmLimits() {
    return SystemSetup::getInstance()->AlarmLimitsSetup;
}

// A speed the limits can judge: measured, not an absent or broken value.
bool isUsableSpeed(float speed) {
    return std::isfinite(speed) && speed != kAbsentFloat;
}

bool isSpeedSource(AlarmSource source) {
    return source >= ALARM_LOW_SPEED_WATER && source <= ALARM_HIGH_SPEED_GROUND;
}
} // namespace

AlarmController::AlarmController(QObject* parent)
    : QObject(parent), alr_Controller(*this), alf_Controller(*this), alarmBeepDelay(this),
      m_displayDelay(this), m_startReset(this) {
    for (int source = 0; source < kAlarmSourceCount; ++source) {
        auto* alert = new AlarmInstance(
            static_cast<AlarmSource>(source), CatB, Warning, [this] { return utcTimeStamp(); },
            this);
        connect(alert, &AlarmInstance::sigAlertStateChanged, this,
                &AlarmController::slotAlertStateChanged);
        m_alerts[source] = alert;
    }
    connect(&alarmBeepDelay, &PlatformTimer::timeout, this, &AlarmController::slotAlertBeepDelay);
    connect(&m_displayDelay, &PlatformTimer::timeout, this,
            &AlarmController::slotSendAlertMsgToDisplay);
    connect(&m_startReset, &PlatformTimer::timeout, this, &AlarmController::resetAllAlertsOnStart);
    m_startReset.start(kStartResetMs);
}

AlarmInstance* AlarmController::getAlertInstance(AlarmSource source) const {
    return source >= 0 && source < kAlarmSourceCount ? m_alerts[source] : nullptr;
}

bool AlarmController::useALR() const {
    return alarmIds().getUseALR();
}

AlarmInstance* AlarmController::speedAlertInUse(AlarmSource source, float limit) {
    AlarmInstance* alert = m_alerts[source];
    if (alarmIds().getAlarmIDbyIndex(source) != 0 && limit != 0.0f) {
        return alert;
    }
    if (alert->getAlertState() != NO_ALARM) {
        alert->reset();
    }
    return nullptr;
}

void AlarmController::checkLowSpeed(float speed, bool water) {
    if (!isUsableSpeed(speed)) {
        return;
    }
    const float limit = water ? alarmLimits().getStwLowLimit() : alarmLimits().getSogLowLimit();
    AlarmInstance* alert =
        speedAlertInUse(water ? ALARM_LOW_SPEED_WATER : ALARM_LOW_SPEED_GROUND, limit);
    if (!alert) {
        return;
    }
    const AlarmLevel state = alert->getAlertState();
    if (state == NO_ALARM || state == ALR_RECTIF_UACKED) {
        // Going astern is no low speed.
        if (speed >= 0.0f && speed < limit) {
            alert->setActive();
        }
    } else if (speed > limit + kHysteresisKn) {
        alert->setRectified();
    }
}

void AlarmController::checkHighSpeed(float speed, bool water) {
    if (!isUsableSpeed(speed)) {
        return;
    }
    const float limit = water ? alarmLimits().getStwHighLimit() : alarmLimits().getSogHighLimit();
    AlarmInstance* alert =
        speedAlertInUse(water ? ALARM_HIGH_SPEED_WATER : ALARM_HIGH_SPEED_GROUND, limit);
    if (!alert) {
        return;
    }
    const AlarmLevel state = alert->getAlertState();
    if (state == NO_ALARM || state == ALR_RECTIF_UACKED) {
        if (speed > limit) {
            alert->setActive();
        }
    } else if (speed < limit - kHysteresisKn) {
        alert->setRectified();
    }
}

void AlarmController::setSpeedLevels(bool low, bool high) {
    bSpeedWaterLimit_L = low;
    bSpeedWaterLimit_H = high;
    emit sigSetSpeedLimitAuxOutput(low || high);
}

void AlarmController::checkSpeedWarnWater(float speed) {
    if (!isUsableSpeed(speed)) {
        return;
    }
    const float low = alarmLimits().getSpeedLevelLow1();
    const float high = alarmLimits().getSpeedLevelHigh1();
    if (low == 0.0f && high == 0.0f) {
        if (bSpeedWaterLimit_L || bSpeedWaterLimit_H) {
            setSpeedLevels(false, false);
        }
        return;
    }
    if (low != 0.0f) {
        if (!bSpeedWaterLimit_L && speed < low) {
            setSpeedLevels(true, bSpeedWaterLimit_H);
        } else if (bSpeedWaterLimit_L && speed > low + kHysteresisKn) {
            setSpeedLevels(false, false);
        }
    } else if (bSpeedWaterLimit_L) {
        setSpeedLevels(false, false);
    }
    if (high != 0.0f) {
        if (!bSpeedWaterLimit_H && speed > high) {
            setSpeedLevels(bSpeedWaterLimit_L, true);
        } else if (bSpeedWaterLimit_H && speed < high - kHysteresisKn) {
            setSpeedLevels(false, false);
        }
    } else if (bSpeedWaterLimit_H) {
        setSpeedLevels(false, false);
    }
}

void AlarmController::exitSpeedAlarms() {
    for (AlarmInstance* alert : m_alerts) {
        if (isSpeedSource(alert->getAlarmSource()) && alert->getAlertState() != NO_ALARM) {
            alert->reset();
        }
    }
}

void AlarmController::activateAllSpeedAlertsFromTest() {
    slotAlertIDChanged();
    for (AlarmInstance* alert : m_alerts) {
        if (isSpeedSource(alert->getAlarmSource()) && alert->getAlertID() != 0) {
            alert->setActive();
        }
    }
}

void AlarmController::setSystemAlarm(SystemAlarmType type) {
    if (type == SYS_SENSOR_LOST) {
        bSensorLost = true;
    } else if (type == SYS_DISPLAY_LOST) {
        bDisplayLost = true;
    }
    const bool testOutputOff = type == SYS_ALARM_TEST &&
                               !SystemSetup::getInstance()->simulationParameters.testAlarmOutputOn;
    if (!testOutputOff) {
        AlarmInstance* sensor = m_alerts[ALARM_SYSTEM_SENSOR];
        if (bSensorLost && sensor->getAlertState() != ALR_ACTIVE_UACKED) {
            sensor->setActive();
        }
        AlarmInstance* display = m_alerts[ALARM_SYSTEM_DISPLAY];
        if (bDisplayLost && display->getAlertState() != ALR_ACTIVE_UACKED) {
            display->setActive();
        }
    }
    emit sigSilenceAlarmBeepOutput(false);
}

void AlarmController::exitSystemAlarm(SystemAlarmType type) {
    if (type == SYS_SENSOR_LOST) {
        bSensorLost = false;
    } else if (type == SYS_DISPLAY_LOST) {
        bDisplayLost = false;
    }
    AlarmInstance* sensor = m_alerts[ALARM_SYSTEM_SENSOR];
    if (!bSensorLost && isActiveLevel(sensor->getAlertState())) {
        sensor->setRectified();
    }
    AlarmInstance* display = m_alerts[ALARM_SYSTEM_DISPLAY];
    if (!bDisplayLost && isActiveLevel(display->getAlertState())) {
        display->setRectified();
    }
    if (type == SYS_DISPLAY_LOST) {
        // The display is back: it gets the current list at once.
        slotSendAlertMsgToDisplay();
    }
}

void AlarmController::handleACK(const NmeaMessagePtr& message) {
    const auto* ack = dynamic_cast<const MsgACK*>(message.get());
    if (ack != nullptr && useALR()) {
        alr_Controller.handleACK(*ack);
    }
}

void AlarmController::handleACN(const NmeaMessagePtr& message) {
    const auto* acn = dynamic_cast<const MsgACN*>(message.get());
    if (acn == nullptr || useALR()) {
        return;
    }
    const QString cluster = acn->getSourceCluster();
    if (!cluster.isEmpty() && cluster != QLatin1String("Nav")) {
        return;
    }
    if (acn->alertCommand() == QLatin1String("S")) {
        emit sigSilenceAlarmBeepOutput(true);
    }
    alf_Controller.handleACN(*acn);
}

void AlarmController::handleALRS(const NmeaMessagePtr& message) {
    const auto* alrs = dynamic_cast<const MsgALRS*>(message.get());
    if (alrs == nullptr || alrs->statusLineOne() != ALR_ACTIVE_ACKED) {
        return;
    }
    // The display answers with a line of its list, which shows the short name.
    const QString line = alrs->lineOne();
    for (AlarmInstance* alert : m_alerts) {
        if (alert->getAlertState() != NO_ALARM &&
            (alert->getAlertText() == line || displayName(*alert) == line)) {
            alert->setAcknowledged();
        }
    }
}

void AlarmController::handleUserACK() {
    // Everything still waiting for an acknowledgement: sounding, silenced or rectified.
    for (AlarmInstance* alert : m_alerts) {
        const AlarmLevel state = alert->getAlertState();
        if (state == ALR_ACTIVE_UACKED || state == ALR_ACTIVE_SILENCED ||
            state == ALR_RECTIF_UACKED) {
            alert->setAcknowledged();
        }
    }
}

void AlarmController::handleUserAlarmSilence() {
    alf_Controller.handleUserOrAuxSilence();
    slotSendAlertMsgToDisplay();
    emit sigSilenceAlarmBeepOutput(true);
}

void AlarmController::hbtMessageReceived() {
    for (AlarmInstance* alert : m_alerts) {
        alert->resetLostHBTCounter();
    }
}

void AlarmController::hbtMessageNotReceived() {
    for (AlarmInstance* alert : m_alerts) {
        if (alert->getAlertState() == ALR_ACTIVE_RESPON_TRANS) {
            alert->incrementLostHBTCounter();
        }
    }
}

void AlarmController::periodicalTestAndSend() {
    if (useALR()) {
        alr_Controller.periodicalTestAndSend();
    }
}

void AlarmController::periodicalSendAlcMSg() {
    if (!useALR()) {
        alf_Controller.sendALC();
    }
}

bool AlarmController::alarmOutputEnabled(const QString& channel) const {
    return !m_hooks.alarmOutputEnabled || m_hooks.alarmOutputEnabled(channel);
}

bool AlarmController::displayFlag(const std::function<bool()>& hook) {
    return hook && hook();
}

void AlarmController::sendAlarmMessage(const NmeaMessagePtr& message) {
    if (alarmOutputEnabled(QStringLiteral("Nmea_1"))) {
        emit sigSendOnNmeaOutput(1, NmeaMessagePtr(message->clone()));
    }
    if (alarmOutputEnabled(QStringLiteral("Nmea_2"))) {
        emit sigSendOnNmeaOutput(2, NmeaMessagePtr(message->clone()));
    }
    if (alarmOutputEnabled(QStringLiteral("LAN"))) {
        NmeaMessagePtr copy(message->clone());
        copy->setDestinationSFI(SystemSetup::getInstance()->Kc40Setup.values().alarmID);
        emit sigSendSingleOnUdp(copy);
    }
}

QString AlarmController::displayName(const AlarmInstance& alert) {
    switch (alert.getAlarmSource()) {
    case ALARM_SYSTEM_DISPLAY:
        return QStringLiteral("Display");
    case ALARM_SYSTEM_SENSOR:
        return QStringLiteral("Sensor");
    default:
        return QString(alert.getAlertText()).remove(QStringLiteral(" Speed"));
    }
}

std::shared_ptr<MsgALRS> AlarmController::getAlarmForDisplay() {
    // Most urgent first; within a state the newest change first.
    QList<AlarmInstance*> list(m_alerts.begin(), m_alerts.end());
    std::stable_sort(list.begin(), list.end(), [](const AlarmInstance* a, const AlarmInstance* b) {
        if (a->getAlertState() != b->getAlertState()) {
            return a->getAlertState() > b->getAlertState();
        }
        return a->getTimeOfLastChange() > b->getTimeOfLastChange();
    });
    QStringList names;
    QList<int> states;
    for (const AlarmInstance* alert : std::as_const(list)) {
        if (alert->getAlertState() != NO_ALARM && names.size() < kDisplayLines) {
            names << displayName(*alert);
            states << alert->getAlertState();
        }
    }
    while (names.size() < kDisplayLines) {
        names << QString();
        states << 0;
    }
    int mode = 0;
    if (displayFlag(m_hooks.sensorDemoActive)) {
        mode = 1;
    } else if (displayFlag(m_hooks.alarmTestActive)) {
        mode = 2;
    } else if (displayFlag(m_hooks.sensorMuted)) {
        mode = 3;
    }
    return std::make_shared<MsgALRS>(mode, names[0], states[0], names[1], states[1], names[2],
                                     states[2], names[3], states[3], names[4], states[4]);
}

void AlarmController::notifyChangedWarnState() {
    slotSendAlertMsgToDisplay();
}

void AlarmController::slotAlertStateChanged(AlarmSource source) {
    AlarmInstance* alert = getAlertInstance(source);
    if (alert == nullptr) {
        return;
    }
    if (alert->getAlertState() != ALR_ACTIVE_SILENCED) {
        emit sigSilenceAlarmBeepOutput(false);
    }
    if (useALR()) {
        alr_Controller.notifyChangedState(alert);
    } else {
        alf_Controller.notifyChangedState(alert);
    }
    // A new alert waits a moment before the display shows it, so that alert management can
    // take it over first.
    if (alert->isAllowedResponsibilityTransfer() && alert->getAlertState() == ALR_ACTIVE_UACKED &&
        alert->getPreviousAlertState() == NO_ALARM) {
        if (!m_displayDelay.isActive()) {
            m_displayDelay.start(kDisplayDelayMs);
        }
    } else {
        slotSendAlertMsgToDisplay();
    }
}

void AlarmController::slotSendAlertMsgToDisplay() {
    checkUnitAck_forAuxOutput();
    if (!bDisplayLost) {
        emit sigSendSingleOnUdp(getAlarmForDisplay());
    }
}

void AlarmController::checkUnitAck_forAuxOutput() {
    int active = 0;
    int fresh = 0;
    for (AlarmInstance* alert : m_alerts) {
        if (alert->getAlertState() != ALR_ACTIVE_UACKED) {
            continue;
        }
        ++active;
        if (!alert->getBuzzerWasActivated()) {
            alert->setBuzzerWasActivated(true);
            ++fresh;
        }
    }
    m_previousNumberAlerts += fresh;
    if (active == 0) {
        hasUnacknowledgedAlarm = false;
        m_previousNumberAlerts = 0;
        alarmBeepDelay.stop();
        // Nothing left to acknowledge: the display buzzer and the alarm relay fall silent.
        if (m_alarmOutputOn) {
            m_alarmOutputOn = false;
            emit sigSendSingleOnUdp(std::make_shared<MsgICM>(
                kIcmVersion, msgCommands::ActivateBuzzerOnDisplay, QList<int>{0}));
            emit sigSetAlarmAuxOutput(false);
        }
        return;
    }
    if (m_previousNumberAlerts > 0 && !hasUnacknowledgedAlarm) {
        hasUnacknowledgedAlarm = true;
        slotAlertBeepDelay();
    }
}

void AlarmController::slotAlertBeepDelay() {
    if (m_previousNumberAlerts <= 0) {
        alarmBeepDelay.stop();
        hasUnacknowledgedAlarm = false;
        return;
    }
    emit sigSendSingleOnUdp(std::make_shared<MsgICM>(kIcmVersion,
                                                     msgCommands::ActivateBuzzerOnDisplay,
                                                     QList<int>{hasUnacknowledgedAlarm ? 1 : 0}));
    --m_previousNumberAlerts;
    alarmBeepDelay.start(kBeepDelayMs);
    m_alarmOutputOn = hasUnacknowledgedAlarm;
    emit sigSetAlarmAuxOutput(hasUnacknowledgedAlarm);
}

void AlarmController::resetAllAlertsOnStart() {
    for (AlarmSource source :
         {ALARM_SYSTEM_DISPLAY, ALARM_SYSTEM_SENSOR, ALARM_LOW_SPEED_WATER, ALARM_HIGH_SPEED_WATER,
          ALARM_LOW_SPEED_GROUND, ALARM_HIGH_SPEED_GROUND}) {
        m_alerts[source]->reset();
    }
}

void AlarmController::slotAlertIDChanged() {
    for (AlarmInstance* alert : m_alerts) {
        const int id = alarmIds().getAlarmIDbyIndex(alert->getAlarmSource());
        // An identifier of 0 switches the alert off. A raised one ends while it still carries
        // the identifier the bridge knows it by, so that its return to normal clears it there.
        if (id == 0 && alert->getAlertState() != NO_ALARM) {
            alert->reset();
        }
        alert->setAlertID(id);
    }
}
