#pragma once

#include <QObject>
#include <QTimer>

#include <limits>

// A single-shot timer that runs on the wall clock on the board and on a driven clock in tests
// (VirtualTime), so that waits of seconds or minutes are checked in no time. Use it like a
// single-shot QTimer: start(ms) arms it anew, stop() disarms it, timeout() fires once.
class PlatformTimer : public QObject {
    Q_OBJECT
public:
    // The longest wait a timer holds; longer requests are cut to it.
    static constexpr qint64 kMaxIntervalMs = std::numeric_limits<int>::max();

    explicit PlatformTimer(QObject* parent = nullptr);
    ~PlatformTimer() override;

    void start(qint64 ms);
    void stop();
    bool isActive() const;
    // The interval of the last start, after cutting.
    qint64 interval() const { return m_intervalMs; }

signals:
    void timeout();

private:
    friend class VirtualTime;
    void fire();

    QTimer m_timer;
    qint64 m_intervalMs = 0;
    bool m_virtualActive = false;
    qint64 m_deadlineMs = 0;
    quint64 m_order = 0;
};

// Drives time in tests. While one exists, Clock reads its time and every PlatformTimer started
// runs on it: advance(ms) moves the clock forward and fires the timers that fall due, in the
// order of their deadlines (equal deadlines in the order they were started), each at its own
// moment, so that a timer started by a timeout handler fires within the same advance when due.
// One at a time, on the thread that owns the timers.
class VirtualTime {
public:
    explicit VirtualTime(qint64 startMsecsSinceEpoch = 1'700'000'000'000);
    ~VirtualTime();
    VirtualTime(const VirtualTime&) = delete;
    VirtualTime& operator=(const VirtualTime&) = delete;

    void advance(qint64 ms);
    qint64 now() const;

    static bool isRunning();
};
