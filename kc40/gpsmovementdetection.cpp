#include "gpsmovementdetection.h"

#include "nmeaparser.h"
#include "unitinstance.h"

#include <algorithm>
#include <cmath>

GpsMovementDetection* GpsMovementDetection::getInstance() {
    return unitInstance<GpsMovementDetection>([] { return new GpsMovementDetection; });
}

void GpsMovementDetection::resetForTests() {
    dropUnitInstance<GpsMovementDetection>();
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
