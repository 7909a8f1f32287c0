#pragma once

#include "platform.h"

#include <QtGlobal>

#include <atomic>

// The unit's clock in the test's hand: it starts at a fixed moment and moves only when the test
// moves it. One at a time; a fixture holds it before any of the unit's parts is built.
class FakeClock {
public:
    static constexpr qint64 kStart = 1'700'000'000'000;

    FakeClock() {
        s_now = kStart;
        Clock::setSource(&read);
    }
    ~FakeClock() { Clock::setSource(nullptr); }
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    static void advance(qint64 ms) { s_now += ms; }
    // The time as the unit's values are stamped.
    static quint64 stamp() { return static_cast<quint64>(s_now.load()); }

private:
    static qint64 read() { return s_now.load(); }
    static inline std::atomic<qint64> s_now{kStart};
};
