#include "gpioedges.h"

#include "platform.h"

#include <QDebug>
#include <QFile>
#include <QMutexLocker>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {
constexpr qsizetype kValueBytes = 100;
constexpr uint32_t kVirtualEdgeEvents = IN_CLOSE_WRITE | IN_MOVED_TO;

bool levelOf(const QByteArray& text) {
    return text.trimmed() == "1";
}
} // namespace

GpioEdgeWatch::GpioEdgeWatch()
    : m_virtual(!Platform::root().isEmpty()), m_wakeFd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)),
      m_inotifyFd(m_virtual ? ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC) : -1) {}

GpioEdgeWatch::~GpioEdgeWatch() {
    closeRetired();
    for (const Pin& pin : std::as_const(m_pins)) {
        if (!m_virtual) {
            ::close(pin.descriptor);
        }
    }
    for (const int fd : {m_wakeFd, m_inotifyFd}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

QString GpioEdgeWatch::valueFile(const QString& pinName) {
    return GpioPins::folder(pinName) + QStringLiteral("/value");
}

bool GpioEdgeWatch::readLevel(const QString& pinName, bool* level) {
    QFile value(valueFile(pinName));
    if (!value.open(QIODevice::ReadOnly)) {
        return false;
    }
    *level = levelOf(value.read(kValueBytes));
    return true;
}

bool GpioEdgeWatch::add(const QString& pinName) {
    {
        QMutexLocker lock(&m_mutex);
        if (m_pins.contains(pinName)) {
            return true;
        }
        Pin pin;
        if (m_virtual) {
            // The watch first, then the level it is compared with: no write falls between.
            pin.descriptor = ::inotify_add_watch(
                m_inotifyFd, GpioPins::folder(pinName).toLocal8Bit().constData(),
                kVirtualEdgeEvents);
            if (pin.descriptor < 0 || !readLevel(pinName, &pin.level)) {
                qWarning().noquote() << "Cannot open GPIO value for" << pinName;
                return false;
            }
        } else {
            pin.descriptor = ::open(valueFile(pinName).toLocal8Bit().constData(),
                                    O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            if (pin.descriptor < 0) {
                qWarning().noquote() << "Cannot open GPIO value for" << pinName;
                return false;
            }
            // The first read clears the mark a freshly opened value file carries.
            char text[kValueBytes];
            const ssize_t length = ::read(pin.descriptor, text, sizeof text);
            pin.level = length > 0 && text[0] == '1';
        }
        m_pins.insert(pinName, pin);
    }
    wake();
    return true;
}

void GpioEdgeWatch::remove(const QString& pinName) {
    {
        QMutexLocker lock(&m_mutex);
        const auto found = m_pins.constFind(pinName);
        if (found == m_pins.cend()) {
            return;
        }
        if (m_virtual) {
            ::inotify_rm_watch(m_inotifyFd, found->descriptor);
        } else {
            m_retired.append(found->descriptor);
        }
        m_pins.erase(found);
    }
    wake();
}

void GpioEdgeWatch::stop() {
    m_stopped.store(true);
    wake();
}

void GpioEdgeWatch::wake() {
    const uint64_t one = 1;
    if (::write(m_wakeFd, &one, sizeof one) < 0 && errno != EAGAIN) {
        qWarning() << "GPIO edge watch cannot be woken";
    }
}

void GpioEdgeWatch::closeRetired() {
    for (const int fd : std::as_const(m_retired)) {
        ::close(fd);
    }
    m_retired.clear();
}

QStringList GpioEdgeWatch::wait() {
    while (!m_stopped.load()) {
        std::vector<pollfd> watched{{m_wakeFd, POLLIN, 0}};
        QStringList names;
        {
            QMutexLocker lock(&m_mutex);
            closeRetired();
            if (m_virtual) {
                watched.push_back({m_inotifyFd, POLLIN, 0});
            } else {
                for (auto pin = m_pins.cbegin(); pin != m_pins.cend(); ++pin) {
                    watched.push_back({pin->descriptor, POLLPRI | POLLERR, 0});
                    names << pin.key();
                }
            }
        }
        if (::poll(watched.data(), watched.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            qWarning() << "Poll() failed!";
            stop();
            return {};
        }
        if (watched[0].revents & POLLIN) {
            uint64_t count = 0;
            [[maybe_unused]] const ssize_t cleared = ::read(m_wakeFd, &count, sizeof count);
        }
        QMutexLocker lock(&m_mutex);
        QStringList edges;
        if (m_virtual) {
            edges = virtualEdges();
        } else {
            for (std::size_t i = 1; i < watched.size(); ++i) {
                const QString& name = names[qsizetype(i - 1)];
                const auto pin = m_pins.find(name);
                if ((watched[i].revents & (POLLPRI | POLLERR)) && pin != m_pins.end() &&
                    pin->descriptor == watched[i].fd) {
                    // Read from the start: only that clears the mark of this edge.
                    char text[kValueBytes];
                    ::lseek(pin->descriptor, 0, SEEK_SET);
                    const ssize_t length = ::read(pin->descriptor, text, sizeof text);
                    pin->level = length > 0 && text[0] == '1';
                    edges << name;
                }
            }
        }
        if (!edges.isEmpty()) {
            return edges;
        }
    }
    return {};
}

QStringList GpioEdgeWatch::virtualEdges() {
    QStringList edges;
    char buffer[4096];
    for (;;) {
        const ssize_t length = ::read(m_inotifyFd, buffer, sizeof buffer);
        if (length <= 0) {
            return edges;
        }
        for (ssize_t at = 0; at < length;) {
            // Copied out rather than cast in place: a cast from the byte buffer is sound only
            // while the kernel pads every name to the header's alignment, and on the board's
            // ARM core a misaligned multi-word load faults.
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            const char* name = buffer + at + sizeof event;
            at += ssize_t(sizeof event + event.len);
            if (!(event.mask & kVirtualEdgeEvents) || event.len == 0 ||
                qstrcmp(name, "value") != 0) {
                continue;
            }
            for (auto pin = m_pins.begin(); pin != m_pins.end(); ++pin) {
                bool level = false;
                if (pin->descriptor == event.wd && readLevel(pin.key(), &level) &&
                    level != pin->level) {
                    pin->level = level;
                    edges << pin.key();
                }
            }
        }
    }
}
