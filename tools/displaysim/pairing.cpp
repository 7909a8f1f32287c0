#include "pairing.h"

#include <algorithm>

void Pairing::start(qint64 now) {
    m_state = State::Requesting;
    m_nextRequest = now;
    m_lastHeard = now;
}

void Pairing::heard(qint64 now) {
    m_lastHeard = now;
}

void Pairing::confirmed(qint64 now) {
    heard(now);
    if (m_state != State::Paired) {
        m_state = State::Paired;
        m_nextHeartbeat = now;
        m_nextRequest = now + kReconfirmMs;
    }
}

void Pairing::denied(qint64 now) {
    heard(now);
    m_state = State::Denied;
    m_nextRequest = now + kDeniedRetryMs;
}

Pairing::Step Pairing::take(qint64 now) {
    if (m_state == State::Paired) {
        if (now - m_lastHeard >= kSilenceMs) {
            m_state = State::Requesting;
            m_nextRequest = now;
            return Step::Lost;
        }
        if (now >= m_nextHeartbeat) {
            m_nextHeartbeat = now + kHeartbeatMs;
            return Step::Heartbeat;
        }
        if (now >= m_nextRequest) {
            m_nextRequest = now + kReconfirmMs;
            return Step::Request;
        }
        return Step::None;
    }
    if (now >= m_nextRequest) {
        m_nextRequest = now + (m_state == State::Denied ? kDeniedRetryMs : kRequestMs);
        return Step::Request;
    }
    return Step::None;
}

qint64 Pairing::nextDue() const {
    if (m_state == State::Paired) {
        return std::min({m_nextHeartbeat, m_nextRequest, m_lastHeard + kSilenceMs});
    }
    return m_nextRequest;
}
