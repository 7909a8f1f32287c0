#pragma once

#include <atomic>

// Tells a ship lying still (GPS speed over ground below 0.2 kn for half a minute) from one
// under way, with hysteresis so that GPS noise around the threshold does not flip it. Fed
// once a second by the scheduler thread, its only writer; read by the sensor data model.
class GpsMovementDetection {
public:
    static constexpr float kStillSpeedKn = 0.2f;
    static constexpr int kCounterMax = 30;
    static constexpr int kSetAbove = 29;
    static constexpr int kClearBelow = 21;

    static GpsMovementDetection* getInstance();
    // Drops the instance: the next getInstance() starts afresh. For test fixtures.
    static void resetForTests();
    GpsMovementDetection() = default;

    // sog: GPS speed over ground in knots, the absent marker when unknown.
    void slotCheckMovement(float sog);
    bool isNotMoving() const { return m_notMoving.load(); }

private:
    int m_movementTimeoutCounter = 0;
    std::atomic<bool> m_notMoving{false};
};
