#pragma once

#include "nmeamessage.h"
#include "pseudoterminal.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <functional>
#include <vector>

// A sentence heard on a line, with the time (ms on the test's clock) its line end arrived.
struct HeardSentence {
    qint64 atMs;
    QByteArray text;
    // Parsed; never null.
    NmeaMessagePtr parsed() const;
};

// Keeps, line by line with arrival times, what the unit sends on one serial line, while the
// test runs the event loop (which also drives simulators living in the test).
class SerialRecorder {
public:
    SerialRecorder(PseudoTerminal& line, const QElapsedTimer& clock);

    // Reads what is waiting; returns quickly.
    void poll();
    const std::vector<HeardSentence>& heard() const { return m_heard; }
    // Sentences whose address ends in `type` ("VBW" matches $VDVBW; "VBWX" matches $PNRVVBWX)
    // heard at or after `fromMs`.
    std::vector<HeardSentence> ofType(const QString& type, qint64 fromMs = 0) const;
    // Bytes that arrived within [fromMs, toMs).
    qint64 bytesBetween(qint64 fromMs, qint64 toMs) const;

private:
    PseudoTerminal& m_line;
    const QElapsedTimer& m_clock;
    QByteArray m_pending;
    std::vector<HeardSentence> m_heard;
};

// Runs the event loop and polls the recorders until the condition holds or the time is up.
bool listenUntil(const std::vector<SerialRecorder*>& recorders,
                 const std::function<bool()>& condition, int timeoutMs);
void listenFor(const std::vector<SerialRecorder*>& recorders, int ms);
