#include "logger.h"

#include <QAbstractEventDispatcher>
#include <QMutexLocker>

#include <cstdio>
#include <mutex>
#include <optional>

namespace {
constexpr int kMaxBufferedLines = 999;
const QString kNoTime = QStringLiteral("000000.000");

QString oneLine(QString text) {
    text.remove(QLatin1String("\r\n"));
    text.remove(QLatin1Char('\n'));
    return text;
}

// The unit's own libraries name their categories "kc40.<library>".
bool fromLibrary(const QMessageLogContext& context) {
    return context.category != nullptr &&
           QLatin1String(context.category).startsWith(QLatin1String("kc40."));
}

std::optional<int> levelOf(QtMsgType type) {
    switch (type) {
    case QtCriticalMsg:
        return Logger::LOG_ERROR;
    case QtWarningMsg:
        return Logger::LOG_WARNING;
    case QtInfoMsg:
        return Logger::LOG_INFO;
    case QtDebugMsg:
        return Logger::LOG_DEBUG;
    default:
        return std::nullopt;
    }
}

QtMessageHandler g_qtHandler = nullptr;

void collect(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const std::optional<int> level = levelOf(type);
    if (level && fromLibrary(context)) {
        Logger::instance()->append(text, *level);
    } else {
        g_qtHandler(type, context, text);
    }
}
} // namespace

Logger* Logger::instance() {
    static Logger* logger = new Logger();
    return logger;
}

QString Logger::getLogLevelString(int level) {
    switch (level) {
    case LOG_ERROR:
        return QStringLiteral("ERROR:   ");
    case LOG_WARNING:
        return QStringLiteral("WARNING: ");
    case LOG_INFO:
        return QStringLiteral("INFO:    ");
    case LOG_DEBUG:
        return QStringLiteral("DEBUG:   ");
    default:
        return QStringLiteral("???:     ");
    }
}

void Logger::collectLibraryMessages() {
    static std::once_flag installed;
    std::call_once(installed, [] { g_qtHandler = qInstallMessageHandler(collect); });
}

void Logger::echoWhenIdle() {
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &Logger::writeEcho);
    m_echoWhenIdle = true;
}

void Logger::echo(QByteArray text, int level) {
    // A NUL (the sensor's reload command carries one) would cut the console line short.
    text.replace('\0', "");
    QMutexLocker lock(&m_mutex);
    m_echo += text;
    if (!m_echoWhenIdle || level <= LOG_WARNING) {
        lock.unlock();
        writeEcho();
    }
}

void Logger::writeEcho() {
    QMutexLocker lock(&m_mutex);
    if (!m_echo.isEmpty()) {
        std::fwrite(m_echo.constData(), 1, static_cast<size_t>(m_echo.size()), stderr);
        std::fflush(stderr);
        m_echo.clear();
    }
}

void Logger::append(const QString& text, int level) {
    const QString line = oneLine(text);
    echo((getLogLevelString(level) + line + QLatin1Char('\n')).toLocal8Bit(), level);
    addLines(line + QLatin1Char('\t') + kNoTime + QLatin1String("\r\n"), 1);
}

void Logger::appendNmeaError(const QString& first, const QString& second,
                             NmeaMessageErrorType type) {
    if (type == NO_ERROR) {
        return;
    }
    const QString prefix = QLatin1String("- ") + getLogLevelString(LOG_ERROR);
    const QString lines = prefix + oneLine(first) + QLatin1String(": ") + oneLine(second) +
                          QLatin1Char(' ') + kNoTime + QLatin1String("\r\n") + prefix +
                          QLatin1String(getNmeaErrorReason(type)) + QLatin1Char(' ') + kNoTime +
                          QLatin1String("\r\n");
    echo(lines.toLocal8Bit(), LOG_ERROR);
    addLines(lines, 2);
}

void Logger::addLines(const QString& lines, int count) {
    QMutexLocker lock(&m_mutex);
    if (m_lines > kMaxBufferedLines) {
        m_buffer.clear();
        m_lines = 0;
    }
    m_buffer += lines;
    m_lines += count;
}

QString Logger::buffer() const {
    QMutexLocker lock(&m_mutex);
    return m_buffer;
}

int Logger::lineCount() const {
    QMutexLocker lock(&m_mutex);
    return m_lines;
}
