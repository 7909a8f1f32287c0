#include "alarminstance.h"

#include "platform.h"
#include "systemsetup.h"

#include <algorithm>

namespace {
QString defaultText(AlarmSource source) {
    switch (source) {
    case ALARM_LOW_SPEED_WATER:
        return QStringLiteral("STW Speed Lo");
    case ALARM_HIGH_SPEED_WATER:
        return QStringLiteral("STW Speed Hi");
    case ALARM_LOW_SPEED_GROUND:
        return QStringLiteral("SOG Speed Lo");
    case ALARM_HIGH_SPEED_GROUND:
        return QStringLiteral("SOG Speed Hi");
    case ALARM_SYSTEM_DISPLAY:
        return QStringLiteral("Display Comm");
    case ALARM_SYSTEM_SENSOR:
        return QStringLiteral("Sensor Comm");
    default:
        return {};
    }
}
} // namespace

AlarmInstance::AlarmInstance(AlarmSource source, AlertCategory category, AlertPriority priority,
                             std::function<QString()> timeStamp, QObject* parent)
    : QObject(parent), bAlertInstance(static_cast<int>(source) + 1), alertCategory(category),
      alertPriority(priority), alarmSource(source), m_silenceTimer(this), m_escalationTimer(this),
      m_timeStamp(std::move(timeStamp)) {
    alertText = defaultText(source);
    m_alertID = idFromSetup();
    connect(&m_silenceTimer, &PlatformTimer::timeout, this, &AlarmInstance::slotSilenceTimeout);
    connect(&m_escalationTimer, &PlatformTimer::timeout, this,
            &AlarmInstance::slotEscalationTimeout);
}

int AlarmInstance::idFromSetup() const {
    return SystemSetup::getInstance()->AlarmIDsSetup.getAlarmIDbyIndex(alarmSource);
}

void AlarmInstance::enter(AlarmLevel level) {
    m_previous_state = m_alert_state;
    m_alert_state = level;
}

void AlarmInstance::setTimestampleStateChanged() {
    stateChangedTimeStample = m_timeStamp ? m_timeStamp() : QString();
    if (!m_escalationTimer.isActive()) {
        m_timeOfLastChange =
            QDateTime::fromMSecsSinceEpoch(Clock::currentMSecsSinceEpoch(), Qt::UTC);
    }
    nRevisionCounter = nRevisionCounter >= kMaxRevision ? 1 : nRevisionCounter + 1;
    emit sigAlertStateChanged(alarmSource);
}

void AlarmInstance::setActive() {
    enter(ALR_ACTIVE_UACKED);
    setAlertID(idFromSetup());
    if (m_previous_state != ALR_ACTIVE_SILENCED) {
        buzzerWasActivated = false;
    }
    if (!alertTextChanged) {
        if (m_previous_state == NO_ALARM) {
            nRevisionCounter = 0;
        }
        setTimestampleStateChanged();
    } else {
        // The text change was recorded already; announce the new state under that revision.
        if (m_previous_state == NO_ALARM) {
            nRevisionCounter = 1;
            nExcalationCounter = 0;
        } else {
            buzzerWasActivated = true;
        }
        emit sigAlertStateChanged(alarmSource);
    }
    m_previouslySilenced = false;
    alertTextChanged = false;
    m_escalationDelayed = false;
    startEscalation();
}

bool AlarmInstance::endIfRectified() {
    if (m_alert_state != ALR_RECTIF_UACKED) {
        return false;
    }
    reset();
    return true;
}

void AlarmInstance::setAcknowledged() {
    if (m_alert_state == NO_ALARM || endIfRectified()) {
        return;
    }
    enter(ALR_ACTIVE_ACKED);
    stopEscalation();
    if (m_previous_state != ALR_ACTIVE_ACKED) {
        setTimestampleStateChanged();
    }
}

void AlarmInstance::setAcknowledgedInALR() {
    if (m_alert_state == NO_ALARM || endIfRectified()) {
        return;
    }
    enter(ALR_ACTIVE_ACKED);
    stopEscalation();
    setTimestampleStateChanged();
}

void AlarmInstance::setSilenced() {
    enter(ALR_ACTIVE_SILENCED);
    m_previouslySilenced = true;
    alertTextChanged = false;
    m_silenceTimer.start(kSilenceMs);
    setTimestampleStateChanged();
}

void AlarmInstance::setResponsabilityTransfered() {
    enter(ALR_ACTIVE_RESPON_TRANS);
    stopEscalation();
    m_lostHbtCounter = 0;
    alertTextChanged = false;
    setTimestampleStateChanged();
}

void AlarmInstance::setRectified() {
    enter(ALR_RECTIF_UACKED);
    switch (m_previous_state) {
    case ALR_ACTIVE_RESPON_TRANS:
        reset();
        break;
    case ALR_ACTIVE_ACKED:
        setTimestampleStateChanged();
        reset();
        break;
    default:
        m_previouslySilenced = false;
        stopEscalation();
        setTimestampleStateChanged();
        break;
    }
}

void AlarmInstance::reset() {
    enter(NO_ALARM);
    setTimestampleStateChanged();
    stopEscalation();
    m_silenceTimer.stop();
    stateChangedTimeStample.clear();
    nRevisionCounter = 0;
    nExcalationCounter = 0;
    m_lostHbtCounter = 0;
    alertTextChanged = false;
    m_previouslySilenced = false;
    m_escalationDelayed = false;
}

void AlarmInstance::setAlertText(const QString& text) {
    if (text == alertText) {
        alertTextChanged = false;
        return;
    }
    alertText = text;
    alertTextChanged = true;
    setTimestampleStateChanged();
}

void AlarmInstance::setDefaultAlertText() {
    setAlertText(defaultText(alarmSource));
}

void AlarmInstance::incrementLostHBTCounter() {
    if (++m_lostHbtCounter >= 2) {
        m_lostHbtCounter = 0;
        setActive();
    }
}

void AlarmInstance::setAlertID(int id) {
    if (id != m_alertID) {
        m_alertPreviosID = m_alertID;
        m_alertID = id;
    }
}

QString AlarmInstance::getAlertCategoryStr() const {
    switch (alertCategory) {
    case CatA:
        return QStringLiteral("A");
    case CatB:
        return QStringLiteral("B");
    case CatC:
        return QStringLiteral("C");
    }
    return {};
}

QString AlarmInstance::getAlertPriorityStr() const {
    switch (alertPriority) {
    case Alarm:
        return QStringLiteral("A");
    case Warning:
        return QStringLiteral("W");
    case Caution:
        return QStringLiteral("C");
    case EmergencyAlarm:
        return QStringLiteral("E");
    }
    return {};
}

bool AlarmInstance::isAllowedResponsibilityTransfer() const {
    return alertCategory == CatB && alertPriority != Caution;
}

qint64 AlarmInstance::escalationDelayMs(qint64 minutes) {
    if (minutes <= 0) {
        return 0;
    }
    // Minutes beyond what a timer holds wait as long as a timer can.
    constexpr qint64 kMaxMinutes = PlatformTimer::kMaxIntervalMs / 60'000;
    return minutes > kMaxMinutes ? PlatformTimer::kMaxIntervalMs : minutes * 60'000;
}

void AlarmInstance::startEscalation() {
    const qint64 delay =
        escalationDelayMs(SystemSetup::getInstance()->AlarmIDsSetup.getEscalationTime());
    if (delay > 0 && !m_escalationTimer.isActive()) {
        m_escalationTimer.start(delay);
    }
}

void AlarmInstance::stopEscalation() {
    m_escalationTimer.stop();
}

void AlarmInstance::slotEscalationTimeout() {
    m_escalationTimer.stop();
    if (m_alert_state != ALR_ACTIVE_UACKED && m_alert_state != ALR_ACTIVE_SILENCED) {
        return;
    }
    if (m_previouslySilenced) {
        m_escalationDelayed = true;
        return;
    }
    if (!m_escalationDelayed) {
        nExcalationCounter = nExcalationCounter >= kMaxEscalation ? 1 : nExcalationCounter + 1;
        setActive();
    }
}

void AlarmInstance::slotSilenceTimeout() {
    m_previouslySilenced = false;
    if (m_escalationDelayed) {
        m_escalationDelayed = false;
        // Entering the active state from here, not from silenced, sounds the buzzer afresh.
        m_alert_state = ALR_ACTIVE_UACKED;
        slotEscalationTimeout();
        return;
    }
    if (m_alert_state == ALR_ACTIVE_SILENCED) {
        setActive();
    }
}
