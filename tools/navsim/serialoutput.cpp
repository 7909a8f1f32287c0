#include "serialoutput.h"

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {
struct BaudCode {
    int baud;
    speed_t code;
};
constexpr BaudCode kBauds[] = {{4800, B4800},   {9600, B9600},   {19200, B19200},
                               {38400, B38400}, {57600, B57600}, {115200, B115200}};

bool fail(QString* error, const QString& text) {
    if (error != nullptr) {
        *error = text;
    }
    return false;
}
} // namespace

SerialOutput::~SerialOutput() {
    if (m_owned && m_fd >= 0) {
        ::close(m_fd);
    }
}

bool SerialOutput::isSupportedBaud(int baud) {
    for (const BaudCode& entry : kBauds) {
        if (entry.baud == baud) {
            return true;
        }
    }
    return false;
}

bool SerialOutput::open(const QString& path, int baud, QString* error) {
    speed_t code = 0;
    for (const BaudCode& entry : kBauds) {
        if (entry.baud == baud) {
            code = entry.code;
        }
    }
    if (code == 0) {
        return fail(error, QStringLiteral("unsupported baud rate %1").arg(baud));
    }
    if (path.isEmpty() || path == QLatin1String("-")) {
        m_fd = STDOUT_FILENO;
        m_owned = false;
        return true;
    }
    const int fd = ::open(path.toLocal8Bit().constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return fail(error, QStringLiteral("cannot open %1").arg(path));
    }
    termios settings{};
    if (::tcgetattr(fd, &settings) == 0) {
        ::cfmakeraw(&settings);
        settings.c_cflag |= CLOCAL;
        ::cfsetspeed(&settings, code);
        if (::tcsetattr(fd, TCSANOW, &settings) != 0) {
            ::close(fd);
            return fail(error, QStringLiteral("cannot set %1 to %2 baud").arg(path).arg(baud));
        }
    }
    m_fd = fd;
    m_owned = true;
    return true;
}

qint64 SerialOutput::write(const QByteArray& bytes) {
    if (m_fd < 0) {
        return -1;
    }
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::write(m_fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += n;
    }
    return done;
}
