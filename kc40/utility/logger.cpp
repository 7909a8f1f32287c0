#include "logger.h"

#include <QMutexLocker>

#include <cstdio>

namespace {
constexpr int kMaxBufferedLines = 999;
const QString kNoTime = QStringLiteral("000000.000");

QString oneLine(QString text) {
    text.remove(QLatin1String("\r\n"));
    text.remove(QLatin1Char('\n'));
    return text;
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

void Logger::append(const QString& text, int level) {
    const QString line = oneLine(text);
    std::fprintf(stderr, "%s%s\n", getLogLevelString(level).toLocal8Bit().constData(),
                 line.toLocal8Bit().constData());
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
    std::fprintf(stderr, "%s", lines.toLocal8Bit().constData());
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
