#pragma once

#include "ledpulse.h"
#include "periodicschedule.h"

#include <QDeadlineTimer>
#include <QSemaphore>
#include <QThread>

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>

class SystemSetup;

// The unit's clock. Its thread keeps a one-second cadence, measured from the start of each pass
// on the monotonic clock, and hands every pass to the object's own (main) thread, where the
// schedule decides what falls due and the signals go out; so every receiver, supervision and
// save runs on the main thread. Between passes the thread sleeps on a semaphore that a new
// LED pattern interrupts, so the front LEDs follow within a few milliseconds. The thread that
// drives the LEDs also ends their pulses: timed on the main thread, the end of each sensor
// pulse would wake that thread only to hand a pattern over. The junction box's chips are
// driven from that thread too: set up after the start delay, read when a pass asks for it.
class PeriodicalHandler : public QThread {
    Q_OBJECT
public:
    using Conditions = std::function<PassConditions()>;

    static constexpr std::chrono::milliseconds kPassPeriod{1000};
    // The rest of the unit settles before the first announcements.
    static constexpr std::chrono::milliseconds kStartDelay{2000};
    static constexpr quint8 kLedsIdle = 0x1c;
    static constexpr quint8 kLedsSensorLost = 0x3c;

    // The conditions are asked on the main thread at every pass. Tests shorten the periods.
    explicit PeriodicalHandler(Conditions conditions, QObject* parent = nullptr,
                               std::chrono::milliseconds passPeriod = kPassPeriod,
                               std::chrono::milliseconds startDelay = kStartDelay);
    // Ends the loop and waits for the thread.
    ~PeriodicalHandler() override;

    // What decides the duties of a pass, as the unit's setup tells it.
    static PassConditions conditionsOf(const SystemSetup& setup);

    int displayHeartBeatSeconds() const { return m_schedule.displayHeartBeatSeconds(); }
    int sensorHeartBeatSeconds() const { return m_schedule.sensorHeartBeatSeconds(); }

public Q_SLOTS:
    void slotResetDisplayHeartBeat() { m_schedule.resetDisplayHeartBeat(); }
    void slotResetSensorHeartBeat() { m_schedule.resetSensorHeartBeat(); }
    void slotResetBamCamHbtCounter() { m_schedule.resetAlertPeerHeartBeat(); }
    // Patterns reach the LED driver in order; a pattern of 0, or the one shown, is not written.
    void slotSetLeds(quint8 leds);
    // The same pulse again while it lasts (a DAT5 right behind its DAT4) only moves its end.
    void slotPulseLeds(LedPulse pulse);

Q_SIGNALS:
    void sigSendConfigurationToDisplay(bool full);
    void SendSRP();
    void sigSendHeratBeatMsg();
    void sigSendAlcMsg();
    // The GPS speed over ground is due for the movement detection.
    void sigCheckMovement();
    void sigReadVq1speed();
    void sigDisplayHeratBeatAlarm();
    void sigReloadSensorVQ2();
    void sigSensorHeratBeatAlarm();
    void sigCheckSpeedLimits();
    void sigSendOutputMessages();
    void sigHbtFromBamNotReceived();
    void sigPeriodicalTestAndSend();
    void sigUpdateTimeouts();
    void sigSaveErrorCounters();
    void sigSaveTripTotal();
    // Emitted on the scheduler thread: the LED driver writes the pattern from there.
    void sigWriteLeds(quint8 pattern);
    // Emitted on the scheduler thread: the junction box's chips are set up once, after the
    // start delay and before the idle pattern is shown, and read on each pass outside standby.
    void sigStartJunctionBox();
    void sigReadJunctionBox();

protected:
    void run() override;

private:
    using Clock = std::chrono::steady_clock;

    // Sleeps until the deadline, writing LED patterns as they come, ending pulses when they
    // are due and reading the junction box when asked; false when stopping.
    bool waitUntil(const QDeadlineTimer& deadline);
    // Scheduler thread: the pattern, unless the LEDs show it already.
    void writeLeds(quint8 pattern);
    // Scheduler thread: the pattern after the pulse when its end has come; how long until then.
    std::optional<std::chrono::nanoseconds> endPulse();
    void stop();
    void startOnMainThread();
    void passOnMainThread();

    Conditions m_conditions;
    const std::chrono::milliseconds m_passPeriod;
    const std::chrono::milliseconds m_startDelay;
    // Touched on the main thread only.
    PeriodicSchedule m_schedule;
    quint8 m_pulsePattern = 0;
    // Touched on the scheduler thread only.
    quint8 m_shownLeds = 0;

    // Released for each new LED pattern and for the stop; a futex underneath, so one system
    // call on each side per pattern.
    QSemaphore m_wake;
    std::atomic<quint8> leds = 0;
    std::atomic<quint8> m_afterPulse = 0;
    // When the running pulse ends, in steady-clock nanoseconds; 0 when none runs. The scheduler
    // thread takes the end by setting it to 0, the main thread moves it only while it is not 0.
    std::atomic<qint64> m_pulseEnd = 0;
    std::atomic<bool> m_stopping = false;
    std::atomic<bool> m_readJunctionBox = false;
};
