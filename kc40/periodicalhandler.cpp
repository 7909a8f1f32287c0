#include "periodicalhandler.h"

#include "systemsetup.h"

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
    if (pattern == 0) {
        return;
    }
    // The pattern may cover a running pulse: the next pulse lights its own again.
    m_pulsePattern = 0;
    leds = pattern;
    m_wake.release();
}

void PeriodicalHandler::slotPulseLeds(LedPulse pulse) {
    if (pulse.pattern == 0) {
        return;
    }
    const qint64 end = (Clock::now() + pulse.length).time_since_epoch().count();
    qint64 running = m_pulseEnd.load();
    // Fails when the scheduler thread has just taken the end: the pulse is lit again.
    if (pulse.pattern == m_pulsePattern && running != 0 &&
        m_pulseEnd.compare_exchange_strong(running, end)) {
        return;
    }
    m_pulsePattern = pulse.pattern;
    m_afterPulse = pulse.after;
    m_pulseEnd = end;
    leds = pulse.pattern;
    m_wake.release();
}

void PeriodicalHandler::writeLeds(quint8 pattern) {
    // The LED port holds its output: a pattern shown already needs no second write.
    if (pattern != 0 && pattern != m_shownLeds) {
        m_shownLeds = pattern;
        Q_EMIT sigWriteLeds(pattern);
    }
}

std::optional<std::chrono::nanoseconds> PeriodicalHandler::endPulse() {
    qint64 end = m_pulseEnd.load();
    if (end == 0) {
        return std::nullopt;
    }
    const std::chrono::nanoseconds left{end - Clock::now().time_since_epoch().count()};
    if (left.count() > 0) {
        return left;
    }
    if (m_pulseEnd.compare_exchange_strong(end, 0)) {
        writeLeds(m_afterPulse);
    }
    return std::nullopt;
}

bool PeriodicalHandler::waitUntil(const QDeadlineTimer& deadline) {
    while (!m_stopping) {
        if (const quint8 pattern = leds.exchange(0); pattern != 0) {
            writeLeds(pattern);
            continue;
        }
        if (m_readJunctionBox.exchange(false)) {
            Q_EMIT sigReadJunctionBox();
            continue;
        }
        const std::optional<std::chrono::nanoseconds> pulseLeft = endPulse();
        if (deadline.hasExpired()) {
            return true;
        }
        std::chrono::nanoseconds sleep{deadline.remainingTimeNSecs()};
        if (pulseLeft && *pulseLeft < sleep) {
            sleep = *pulseLeft;
        }
        // Rounded up to whole milliseconds: a wake-up a little early only loops once more.
        m_wake.tryAcquire(
            1, static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(sleep).count()));
    }
    return false;
}

void PeriodicalHandler::run() {
    if (!waitUntil(QDeadlineTimer(m_startDelay, Qt::PreciseTimer))) {
        return;
    }
    Q_EMIT sigStartJunctionBox();
    writeLeds(kLedsIdle);
    QMetaObject::invokeMethod(this, &PeriodicalHandler::startOnMainThread, Qt::QueuedConnection);
    for (;;) {
        // The next pass is due one period after this one began, whatever the main thread does.
        if (!waitUntil(QDeadlineTimer(m_passPeriod, Qt::PreciseTimer))) {
            return;
        }
        QMetaObject::invokeMethod(this, &PeriodicalHandler::passOnMainThread, Qt::QueuedConnection);
    }
}

PassConditions PeriodicalHandler::conditionsOf(const SystemSetup& setup) {
    const SimulationParameters& simulation = setup.simulationParameters;
    return {setup.getSystemInStandby(),
            simulation.SimulationModeOn &&
                simulation.simulationSource != SimulationParameters::SENSOR_FIXED_SPEED,
            setup.Vq2Setup.values().outputParams == VQ2_Setup::kSatLog};
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
    if (due.testFlag(Duty::ReadJunctionBox)) {
        m_readJunctionBox = true;
        m_wake.release();
    }
}
