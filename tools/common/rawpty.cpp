#include "rawpty.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {
void makeRaw(int fd) {
    termios settings{};
    if (::tcgetattr(fd, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::cfsetspeed(&settings, B4800);
        ::tcsetattr(fd, TCSANOW, &settings);
    }
}

bool fail(QString* error, const QString& text) {
    if (error != nullptr) {
        *error = text;
    }
    return false;
}
} // namespace

RawPty::~RawPty() {
    close();
}

bool RawPty::open(const QString& linkPath, bool keepSlaveOpen, QString* error) {
    close();
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        close();
        return fail(error, QStringLiteral("cannot create a pseudo-terminal"));
    }
    const QByteArray slavePath = ::ptsname(m_master);
    const int slave = ::open(slavePath.constData(), O_RDWR | O_NOCTTY);
    if (slave < 0) {
        close();
        return fail(error, QStringLiteral("cannot open the pseudo-terminal's slave side"));
    }
    makeRaw(m_master);
    makeRaw(slave);
    if (keepSlaveOpen) {
        m_slave = slave;
    } else {
        ::close(slave);
    }
    QDir().mkpath(QFileInfo(linkPath).absolutePath());
    QFile::remove(linkPath);
    if (!QFile::link(QString::fromLocal8Bit(slavePath), linkPath)) {
        close();
        return fail(error, QStringLiteral("cannot link ") + linkPath);
    }
    m_link = linkPath;
    return true;
}

void RawPty::close() {
    if (!m_link.isEmpty()) {
        QFile::remove(m_link);
        m_link.clear();
    }
    if (m_slave >= 0) {
        ::close(m_slave);
        m_slave = -1;
    }
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
    }
}
