#include "ptyline.h"

#include <unistd.h>

PtyLine::PtyLine(const QString& name, const QString& linkPath, QObject* parent)
    : QObject(parent), m_name(name) {
    if (!m_pty.open(linkPath, true)) {
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_pty.master(), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &PtyLine::readAvailable);
}

PtyLine::~PtyLine() {
    m_notifier.reset();
}

void PtyLine::write(const QByteArray& bytes) {
    // Bytes that do not fit the line's buffer are lost, as on a cable nobody reads.
    if (m_pty.isOpen()) {
        [[maybe_unused]] const ssize_t written =
            ::write(m_pty.master(), bytes.constData(), static_cast<size_t>(bytes.size()));
    }
}

void PtyLine::readAvailable() {
    char chunk[4096];
    const ssize_t n = ::read(m_pty.master(), chunk, sizeof chunk);
    if (n > 0) {
        Q_EMIT received(QByteArray(chunk, static_cast<int>(n)));
    }
}
