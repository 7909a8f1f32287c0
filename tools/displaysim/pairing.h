#pragma once

#include <QtGlobal>

#include <limits>

// When a display asks the unit to pair, beats its heart and gives a pairing up, on a clock in
// milliseconds that the caller hands in. It asks every few seconds until the unit answers,
// after a refusal only now and then; once paired it sends its heartbeat at once and then every
// ten seconds, and asks again every half minute: a unit that restarted has forgotten it, and a
// confirmation costs nothing. A unit that says nothing for longer than its quietest stretch (in
// standby it sends only its heartbeat, once a minute) has dropped the display, which asks again.
class Pairing {
public:
    enum class State { Requesting, Denied, Paired };
    // What falls due: a pairing request, a heartbeat, or the news that the pairing was lost
    // (a request follows at once).
    enum class Step { None, Request, Heartbeat, Lost };

    static constexpr qint64 kRequestMs = 3000;
    static constexpr qint64 kDeniedRetryMs = 15000;
    static constexpr qint64 kHeartbeatMs = 10000;
    static constexpr qint64 kSilenceMs = 90000;
    static constexpr qint64 kReconfirmMs = 30000;

    // The first request falls due at `now`; nothing does before.
    void start(qint64 now);
    // Anything heard from the unit.
    void heard(qint64 now);
    void confirmed(qint64 now);
    void denied(qint64 now);
    // One step that is due by `now`, in order; None when nothing more is.
    Step take(qint64 now);
    // When the next step falls due.
    qint64 nextDue() const;
    State state() const { return m_state; }

private:
    static constexpr qint64 kNever = std::numeric_limits<qint64>::max();

    State m_state = State::Requesting;
    qint64 m_nextRequest = kNever;
    qint64 m_nextHeartbeat = kNever;
    qint64 m_lastHeard = 0;
};
