#include "gpsmovementdetection.h"

#include "nmeaparser.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {
std::unique_ptr<GpsMovementDetection>& instanceSlot() {
    static std::unique_ptr<GpsMovementDetection> instance;
    return instance;
}
} // namespace

GpsMovementDetection* GpsMovementDetection::getInstance() {
    auto& slot = instanceSlot();
    if (!slot) {
        slot.reset(new GpsMovementDetection);
    }
    return slot.get();
}

void GpsMovementDetection::resetForTests() {
    instanceSlot().reset();
}

void GpsMovementDetection::slotCheckMovement(float sog) {
    const bool known = sog != kAbsentFloat && std::isfinite(sog);
    if (known && sog < kStillSpeedKn) {
        m_movementTimeoutCounter = std::min(m_movementTimeoutCounter + 1, kCounterMax);
        if (m_movementTimeoutCounter > kSetAbove) {
            m_notMoving = true;
        }
        return;
    }
    m_movementTimeoutCounter = std::max(m_movementTimeoutCounter - 2, 0);
    if (m_notMoving && m_movementTimeoutCounter < kClearBelow) {
        m_notMoving = false;
        m_movementTimeoutCounter = 0;
    }
}
