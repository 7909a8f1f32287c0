#pragma once

#include "command.h"

#include <QList>
#include <QQueue>

#include <limits>

// The operator's commands in the order given, held back until the display may talk to the unit
// (paired, or waited for long enough) and by their own waits. A wait counts from the moment the
// commands before it are done. Time is the caller's clock in milliseconds.
class CommandQueue {
public:
    void append(const Command& command);
    // From `now` on the commands run.
    void release(qint64 now);
    bool released() const { return m_released; }
    bool isEmpty() const { return m_waiting.isEmpty(); }
    // The sends and acknowledgement switches due by `now`, in order, up to the next wait that
    // has not ended.
    QList<Command> take(qint64 now);
    // When the wait that holds the next command ends; never when none holds one.
    qint64 nextDue() const;

    static constexpr qint64 kNever = std::numeric_limits<qint64>::max();

private:
    QQueue<Command> m_waiting;
    bool m_released = false;
    qint64 m_resumeAt = 0;
};
