#include "pseudoterminal.h"

#include <QDeadlineTimer>

#include <poll.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal(const QString& linkPath) {
    m_pty.open(linkPath, true);
}

void PseudoTerminal::write(const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_pty.master(), bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            pollfd fd{m_pty.master(), POLLOUT, 0};
            ::poll(&fd, 1, 100);
            continue;
        }
        done += n;
    }
}

QByteArray PseudoTerminal::read(int timeoutMs, const QByteArray& until) {
    QByteArray received;
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (!until.isEmpty() && received.contains(until)) {
            break;
        }
        pollfd fd{m_pty.master(), POLLIN, 0};
        if (::poll(&fd, 1, static_cast<int>(qMax<qint64>(1, deadline.remainingTime()))) <= 0) {
            continue;
        }
        char chunk[4096];
        const ssize_t n = ::read(m_pty.master(), chunk, sizeof chunk);
        if (n > 0) {
            received.append(chunk, n);
        }
    }
    return received;
}
