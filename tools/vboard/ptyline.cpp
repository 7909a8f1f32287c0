#include "ptyline.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyLine::PtyLine(const QString& name, const QString& linkPath, QObject* parent)
    : QObject(parent), m_name(name), m_link(linkPath) {
    if (openpty(&m_master, &m_slave, nullptr, nullptr, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    // Raw on both sides: flow-control bytes and line ends pass unchanged, as on a UART.
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
    m_notifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &PtyLine::readAvailable);
}

PtyLine::~PtyLine() {
    m_notifier.reset();
    QFile::remove(m_link);
    if (m_slave >= 0) {
        ::close(m_slave);
    }
    if (m_master >= 0) {
        ::close(m_master);
    }
}

void PtyLine::write(const QByteArray& bytes) {
    if (m_master >= 0 && ::write(m_master, bytes.constData(), bytes.size()) < 0) {
        return;
    }
}

void PtyLine::readAvailable() {
    char chunk[4096];
    const ssize_t n = ::read(m_master, chunk, sizeof chunk);
    if (n > 0) {
        Q_EMIT received(QByteArray(chunk, static_cast<int>(n)));
    }
}
