#include "shipmotion.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {
double wrapped(double value, double low, double span) {
    const double shifted = std::fmod(value - low, span);
    return (shifted < 0.0 ? shifted + span : shifted) + low;
}
} // namespace

ShipMotion::ShipMotion(const ShipState& start) : m_state(start) {
    m_state.course = wrapped(m_state.course, 0.0, 360.0);
    m_state.latitude = std::clamp(m_state.latitude, -kMaxLatitude, kMaxLatitude);
    m_state.longitude = wrapped(m_state.longitude, -180.0, 360.0);
}

void ShipMotion::sailLegs(double distance, int count) {
    m_legDistance = distance;
    m_legSailed = 0.0;
    m_legCount = distance > 0.0 ? count : 0;
    m_legsLeft = m_legCount;
    m_state.rateOfTurn = 0.0;
}

double ShipMotion::secondsToLegEnd() const {
    if (m_legsLeft <= 0 || !(m_state.speed > 0.0)) {
        return 1.0;
    }
    return std::max(0.0, (m_legDistance - m_legSailed) * 3600.0 / m_state.speed);
}

void ShipMotion::endLeg() {
    m_legSailed = 0.0;
    if (--m_legsLeft > 0) {
        m_state.course = wrapped(m_state.course + 180.0, 0.0, 360.0);
    } else {
        m_state.speed = 0.0;
    }
}

void ShipMotion::advance(double seconds) {
    if (!(seconds > 0.0)) {
        return;
    }
    const qint64 milliseconds = qRound64(seconds * 1000.0);
    double left = seconds;
    while (left > 0.0) {
        const double toLegEnd = secondsToLegEnd();
        const double dt = std::min({left, 1.0, toLegEnd});
        step(dt);
        left -= dt;
        if (m_legsLeft > 0) {
            m_legSailed += m_state.speed * dt / 3600.0;
            // Within a micrometre the leg is sailed: steps of odd length do not add up exactly.
            if (dt >= toLegEnd || m_legDistance - m_legSailed < 1e-9) {
                endLeg();
            }
        }
    }
    if (m_state.utc.isValid()) {
        m_state.utc = m_state.utc.addMSecs(milliseconds);
    }
}

void ShipMotion::step(double seconds) {
    // The course at the middle of the step keeps a turning ship on its arc.
    const double turn = m_state.rateOfTurn * seconds / 60.0;
    const double course = qDegreesToRadians(m_state.course + turn / 2.0);
    const double nauticalMiles = m_state.speed * seconds / 3600.0;
    const double north = nauticalMiles * std::cos(course) / 60.0;
    const double east = nauticalMiles * std::sin(course) / 60.0 /
                        std::cos(qDegreesToRadians(m_state.latitude + north / 2.0));
    m_state.latitude = std::clamp(m_state.latitude + north, -kMaxLatitude, kMaxLatitude);
    m_state.longitude = wrapped(m_state.longitude + east, -180.0, 360.0);
    m_state.course = wrapped(m_state.course + turn, 0.0, 360.0);
}
