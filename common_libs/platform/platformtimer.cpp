#include "platformtimer.h"

#include "platform.h"

#include <QMutex>
#include <QMutexLocker>
#include <QSet>

#include <algorithm>
#include <atomic>

namespace {
std::atomic<bool> g_virtualRunning{false};
std::atomic<qint64> g_virtualNow{0};

// Timers armed on virtual time; touched by the timers' owner and by advance().
QMutex g_armedMutex;
QSet<PlatformTimer*> g_armed;
quint64 g_nextOrder = 0;

qint64 virtualNow() {
    return g_virtualNow.load();
}
} // namespace

PlatformTimer::PlatformTimer(QObject* parent) : QObject(parent) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &PlatformTimer::timeout);
}

PlatformTimer::~PlatformTimer() {
    QMutexLocker lock(&g_armedMutex);
    g_armed.remove(this);
}

void PlatformTimer::start(qint64 ms) {
    m_intervalMs = std::clamp<qint64>(ms, 0, kMaxIntervalMs);
    stop();
    if (!g_virtualRunning.load()) {
        m_timer.start(static_cast<int>(m_intervalMs));
        return;
    }
    QMutexLocker lock(&g_armedMutex);
    m_virtualActive = true;
    m_deadlineMs = virtualNow() + m_intervalMs;
    m_order = g_nextOrder++;
    g_armed.insert(this);
}

void PlatformTimer::stop() {
    m_timer.stop();
    QMutexLocker lock(&g_armedMutex);
    m_virtualActive = false;
    g_armed.remove(this);
}

bool PlatformTimer::isActive() const {
    return m_virtualActive || m_timer.isActive();
}

void PlatformTimer::fire() {
    emit timeout();
}

VirtualTime::VirtualTime(qint64 startMsecsSinceEpoch) {
    g_virtualNow.store(startMsecsSinceEpoch);
    g_virtualRunning.store(true);
    Clock::setSource(&virtualNow);
}

VirtualTime::~VirtualTime() {
    Clock::setSource(nullptr);
    g_virtualRunning.store(false);
    QMutexLocker lock(&g_armedMutex);
    for (PlatformTimer* timer : std::as_const(g_armed)) {
        timer->m_virtualActive = false;
    }
    g_armed.clear();
}

void VirtualTime::advance(qint64 ms) {
    const qint64 target = virtualNow() + std::max<qint64>(ms, 0);
    for (;;) {
        PlatformTimer* next = nullptr;
        {
            QMutexLocker lock(&g_armedMutex);
            for (PlatformTimer* timer : std::as_const(g_armed)) {
                if (timer->m_deadlineMs > target) {
                    continue;
                }
                if (next == nullptr || timer->m_deadlineMs < next->m_deadlineMs ||
                    (timer->m_deadlineMs == next->m_deadlineMs && timer->m_order < next->m_order)) {
                    next = timer;
                }
            }
            if (next == nullptr) {
                break;
            }
            g_virtualNow.store(next->m_deadlineMs);
            next->m_virtualActive = false;
            g_armed.remove(next);
        }
        next->fire();
    }
    g_virtualNow.store(target);
}

qint64 VirtualTime::now() const {
    return virtualNow();
}

bool VirtualTime::isRunning() {
    return g_virtualRunning.load();
}
