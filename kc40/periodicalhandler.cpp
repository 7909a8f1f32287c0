#include "periodicalhandler.h"

#include <QMetaObject>

PeriodicalHandler::PeriodicalHandler(Conditions conditions, QObject* parent,
                                     std::chrono::milliseconds passPeriod,
                                     std::chrono::milliseconds startDelay)
    : QThread(parent), m_conditions(std::move(conditions)), m_passPeriod(passPeriod),
      m_startDelay(startDelay) {}

PeriodicalHandler::~PeriodicalHandler() {
    stop();
    wait();
}

void PeriodicalHandler::stop() {
    m_stopping = true;
    m_wake.release();
}

void PeriodicalHandler::slotSetLeds(quint8 pattern) {
    // The LED port holds its output: the pattern asked for last needs no second write (a DAT5
    // right behind its DAT4 lights the same pattern).
    if (pattern == 0 || pattern == m_lastLeds) {
        return;
    }
    m_lastLeds = pattern;
    leds = pattern;
    m_wake.release();
}

bool PeriodicalHandler::waitUntil(const QDeadlineTimer& deadline) {
    while (!m_stopping) {
        if (const quint8 pattern = leds.exchange(0); pattern != 0) {
            Q_EMIT sigWriteLeds(pattern);
            continue;
        }
        if (deadline.hasExpired()) {
            return true;
        }
        // Rounded up to whole milliseconds: a wake-up a little early only loops once more.
        m_wake.tryAcquire(1, static_cast<int>(deadline.remainingTime()));
    }
    return false;
}

void PeriodicalHandler::run() {
    if (!waitUntil(QDeadlineTimer(m_startDelay, Qt::PreciseTimer))) {
        return;
    }
    QMetaObject::invokeMethod(this, &PeriodicalHandler::startOnMainThread, Qt::QueuedConnection);
    for (;;) {
        // The next pass is due one period after this one began, whatever the main thread does.
        if (!waitUntil(QDeadlineTimer(m_passPeriod, Qt::PreciseTimer))) {
            return;
        }
        QMetaObject::invokeMethod(this, &PeriodicalHandler::passOnMainThread, Qt::QueuedConnection);
    }
}

void PeriodicalHandler::startOnMainThread() {
    m_schedule = PeriodicSchedule{};
    Q_EMIT sigSendConfigurationToDisplay(true);
    Q_EMIT SendSRP();
}

void PeriodicalHandler::passOnMainThread() {
    const Duties due = m_schedule.pass(m_conditions());
    // In the order of a pass: the standby duties first, the saves last.
    const std::pair<Duty, void (PeriodicalHandler::*)()> dutySignals[] = {
        {Duty::SendHeartBeat, &PeriodicalHandler::sigSendHeratBeatMsg},
        {Duty::SendAlertList, &PeriodicalHandler::sigSendAlcMsg},
        {Duty::CheckGpsMovement, &PeriodicalHandler::sigCheckMovement},
        {Duty::ReadVq1Speed, &PeriodicalHandler::sigReadVq1speed},
        {Duty::CheckDisplayHeartBeat, &PeriodicalHandler::sigDisplayHeratBeatAlarm},
        {Duty::ReloadSensor, &PeriodicalHandler::sigReloadSensorVQ2},
        {Duty::CheckSensorHeartBeat, &PeriodicalHandler::sigSensorHeratBeatAlarm},
        {Duty::SendSrp, &PeriodicalHandler::SendSRP},
        {Duty::CheckSpeedLimits, &PeriodicalHandler::sigCheckSpeedLimits},
        {Duty::SendOutputMessages, &PeriodicalHandler::sigSendOutputMessages},
        {Duty::AlertPeerHeartBeatMissing, &PeriodicalHandler::sigHbtFromBamNotReceived},
        {Duty::PeriodicalTestAndSend, &PeriodicalHandler::sigPeriodicalTestAndSend},
        {Duty::UpdateTimeouts, &PeriodicalHandler::sigUpdateTimeouts},
        {Duty::SaveErrorCounters, &PeriodicalHandler::sigSaveErrorCounters},
        {Duty::SaveTripTotal, &PeriodicalHandler::sigSaveTripTotal},
    };
    for (const auto& [duty, signal] : dutySignals) {
        if (due.testFlag(duty)) {
            (this->*signal)();
        }
    }
    if (due.testFlag(Duty::CheckSensorHeartBeat)) {
        slotSetLeds(kLedsSensorLost);
    }
}
