#pragma once

#include <QtGlobal>

#include <chrono>

// A pulse of the front LEDs: `pattern` at once, `after` when `length` has passed without
// another pulse.
struct LedPulse {
    quint8 pattern = 0;
    quint8 after = 0;
    std::chrono::milliseconds length{0};
};
