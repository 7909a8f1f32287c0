#include "pseudoterminal.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal(const QString& linkPath) : m_link(linkPath) {
    if (openpty(&m_master, &m_slave, nullptr, nullptr, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    for (int fd : {m_master, m_slave}) {
        termios settings{};
        tcgetattr(fd, &settings);
        cfmakeraw(&settings);
        tcsetattr(fd, TCSANOW, &settings);
    }
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    QDir().mkpath(QFileInfo(linkPath).absolutePath());
    QFile::remove(linkPath);
    QFile::link(QString::fromLocal8Bit(ttyname(m_slave)), linkPath);
}

PseudoTerminal::~PseudoTerminal() {
    QFile::remove(m_link);
    if (m_slave >= 0) {
        ::close(m_slave);
    }
    if (m_master >= 0) {
        ::close(m_master);
    }
}

void PseudoTerminal::write(const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            pollfd fd{m_master, POLLOUT, 0};
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
        pollfd fd{m_master, POLLIN, 0};
        if (::poll(&fd, 1, static_cast<int>(qMax<qint64>(1, deadline.remainingTime()))) <= 0) {
            continue;
        }
        char chunk[4096];
        const ssize_t n = ::read(m_master, chunk, sizeof chunk);
        if (n > 0) {
            received.append(chunk, n);
        }
    }
    return received;
}
