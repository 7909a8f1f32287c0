#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

// A flag that one thread raises or lowers and another thread waits on, blocking on a
// condition rather than polling.
class SignalledFlag {
public:
    void set() { store(true); }
    void clear() { store(false); }
    bool isSet() const { return m_value.load(); }
    // True when the flag reached the wanted state within the time.
    bool waitFor(bool wanted, std::chrono::milliseconds timeout) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [&] { return m_value.load() == wanted; });
    }

private:
    void store(bool value) {
        {
            std::lock_guard lock(m_mutex);
            m_value.store(value);
        }
        m_changed.notify_all();
    }

    std::atomic<bool> m_value{false};
    std::mutex m_mutex;
    std::condition_variable m_changed;
};
