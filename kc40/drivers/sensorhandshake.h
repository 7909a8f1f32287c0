#pragma once

#include "signalledflag.h"

#include <atomic>
#include <chrono>

// What the sensor line (main thread) and the sensor command thread share. The line raises
// "DAT received" at each sign of life of the sensor and ends the wait for a command's echo when
// the sensor echoes it or the line gives up; it says when it has closed the normal line for the
// firmware upgrade. The command thread blocks on these, never polling.
class SensorHandshake {
public:
    static void setDatReceived() { s_datReceived.set(); }
    static void clearDatReceived() { s_datReceived.clear(); }
    static bool isDatReceived() { return s_datReceived.isSet(); }
    static bool waitForDat(std::chrono::milliseconds timeout) {
        return s_datReceived.waitFor(true, timeout);
    }

    static bool getMessageIsBeingSent() { return s_messageBeingSent.isSet(); }
    static void setMessageIsBeingSent() {
        s_lastAnswered = false;
        s_messageBeingSent.set();
    }
    // answered: the sensor echoed the command; false when it was given up.
    static void clearMessageIsBeingSent(bool answered = true) {
        s_lastAnswered = answered;
        s_messageBeingSent.clear();
    }
    // Whether the command's wait ended within the time, and the sensor echoed it.
    static bool waitForAnswer(std::chrono::milliseconds timeout) {
        if (!s_messageBeingSent.waitFor(false, timeout)) {
            clearMessageIsBeingSent(false);
            return false;
        }
        return s_lastAnswered;
    }

    static void setLineReleased() { s_lineReleased.set(); }
    static void clearLineReleased() { s_lineReleased.clear(); }
    static bool waitForLineReleased(std::chrono::milliseconds timeout) {
        return s_lineReleased.waitFor(true, timeout);
    }

private:
    static inline SignalledFlag s_datReceived;
    static inline SignalledFlag s_lineReleased;
    static inline SignalledFlag s_messageBeingSent;
    static inline std::atomic<bool> s_lastAnswered{false};
};
