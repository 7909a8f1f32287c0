#include "stdinlines.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr int kStdin = 0;
constexpr qsizetype kChunk = 4096;
} // namespace

StdinLines::StdinLines(QObject* parent) : QObject(parent) {
    if (::fcntl(kStdin, F_GETFD) < 0) {
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(kStdin, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &StdinLines::readAvailable);
}

void StdinLines::readAvailable() {
    char chunk[kChunk];
    const ssize_t size = ::read(kStdin, chunk, sizeof chunk);
    if (size < 0 && (errno == EINTR || errno == EAGAIN)) {
        return;
    }
    if (size <= 0) {
        // The end of the input, or none to be had: a last line without its line end counts.
        m_notifier->setEnabled(false);
        if (!m_pending.isEmpty()) {
            Q_EMIT line(QString::fromLocal8Bit(m_pending));
            m_pending.clear();
        }
        return;
    }
    m_pending.append(chunk, size);
    qsizetype end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        Q_EMIT line(QString::fromLocal8Bit(m_pending.left(end)));
        m_pending.remove(0, end + 1);
    }
}
