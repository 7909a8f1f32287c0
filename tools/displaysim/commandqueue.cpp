#include "commandqueue.h"

void CommandQueue::append(const Command& command) {
    m_waiting.enqueue(command);
}

void CommandQueue::release(qint64 now) {
    m_released = true;
    m_resumeAt = now;
}

QList<Command> CommandQueue::take(qint64 now) {
    QList<Command> due;
    while (m_released && !m_waiting.isEmpty() && now >= m_resumeAt) {
        const Command command = m_waiting.dequeue();
        if (command.kind == Command::Kind::Wait) {
            m_resumeAt = now + command.waitMs;
        } else {
            due.append(command);
        }
    }
    return due;
}

qint64 CommandQueue::nextDue() const {
    return m_released && !m_waiting.isEmpty() ? m_resumeAt : kNever;
}
