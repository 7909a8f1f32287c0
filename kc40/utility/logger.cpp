#include "logger.h"

#include "compiledateandtime.h"
#include "logfilenames.h"
#include "platform.h"
#include "usbstick.h"

#include <QAbstractEventDispatcher>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QThread>

#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>

namespace {
constexpr int kMaxBufferedLines = 999;
const QString kNoTime = QStringLiteral("000000.000");
// Every tenth dump is followed by the version, so that a log read later tells what wrote it.
constexpr int kDumpsBetweenVersions = 9;
const QString kSoftwareVersion = QStringLiteral("1.2.1.2");

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

std::unique_ptr<Logger>& holder() {
    static std::unique_ptr<Logger> logger;
    return logger;
}

// One word for the board's shell, whatever the unit's name holds.
QString shellQuoted(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}
} // namespace

Logger* Logger::instance() {
    static std::mutex creating;
    const std::lock_guard lock(creating);
    std::unique_ptr<Logger>& logger = holder();
    if (!logger) {
        logger.reset(new Logger());
    }
    return logger.get();
}

void Logger::resetForTests() {
    holder().reset();
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
    // The dump timer belongs to the thread that creates the logger.
    instance();
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

void Logger::setTimeSource(std::function<QString()> source) {
    m_timeSource = std::move(source);
}

void Logger::setUnitNameSource(std::function<QString()> source) {
    m_unitNameSource = std::move(source);
}

void Logger::startLoggerTimer() {
    if (m_dump_timer.isActive()) {
        return;
    }
    connect(&m_dump_timer, &QTimer::timeout, this, &Logger::dump, Qt::UniqueConnection);
    m_dump_timer.start(1000);
}

// The time source reads the main thread's values: other threads take the time it last read.
QString Logger::timeText() {
    const bool own = m_timeSource && QThread::currentThread() == thread();
    const QString now = own ? m_timeSource() : QString();
    QMutexLocker lock(&m_mutex);
    if (own) {
        m_lastTime = now;
    }
    return m_lastTime.isEmpty() ? kNoTime : m_lastTime;
}

void Logger::append(const QString& text, int level) {
    const QString line = oneLine(text);
    echo((getLogLevelString(level) + line + QLatin1Char('\n')).toLocal8Bit(), level);
    addLines(line + QLatin1Char('\t') + timeText() + QLatin1String("\r\n"), 1);
}

void Logger::appendNmeaError(const QString& first, const QString& second,
                             NmeaMessageErrorType type) {
    if (type == NO_ERROR) {
        return;
    }
    const QString prefix = QLatin1String("- ") + getLogLevelString(LOG_ERROR);
    const QString time = timeText();
    const QString lines = prefix + oneLine(first) + QLatin1String(": ") + oneLine(second) +
                          QLatin1Char(' ') + time + QLatin1String("\r\n") + prefix +
                          QLatin1String(getNmeaErrorReason(type)) + QLatin1Char(' ') + time +
                          QLatin1String("\r\n");
    echo(lines.toLocal8Bit(), LOG_ERROR);
    addLines(lines, 2);
}

// A full buffer is dropped without a stick. With one it is handed to the next dump, queued at
// once, so that a burst of lines reaches the stick; a full buffer still waiting when the next
// one fills is dropped, so that the memory stays bounded.
void Logger::addLines(const QString& lines, int count) {
    QMutexLocker lock(&m_mutex);
    const bool full = m_lines > kMaxBufferedLines;
    if (full) {
        m_full = m_stick_state ? m_buffer : QString();
        m_buffer.clear();
        m_lines = 0;
    }
    m_buffer += lines;
    m_lines += count;
    lock.unlock();
    if (full && m_stick_state) {
        QMetaObject::invokeMethod(this, &Logger::dump, Qt::QueuedConnection);
    }
}

QString Logger::buffer() const {
    QMutexLocker lock(&m_mutex);
    return m_buffer;
}

int Logger::lineCount() const {
    QMutexLocker lock(&m_mutex);
    return m_lines;
}

qsizetype Logger::rawBufferSize() const {
    QMutexLocker lock(&m_mutex);
    return m_raw_buffer.size();
}

void Logger::logRawData(const QByteArray& bytes) {
    QMutexLocker lock(&m_mutex);
    m_raw_buffer += bytes;
    if (m_raw_buffer.size() > kRawDumpSize) {
        lock.unlock();
        QMetaObject::invokeMethod(this, &Logger::dumpRaw);
    }
}

QString Logger::stickFile(const QString& name) const {
    return UsbStick::path(name);
}

QString Logger::unitName() const {
    return m_unitNameSource ? m_unitNameSource() : QString();
}

void Logger::checkStick() {
    m_previous_stick_state = m_stick_state;
    m_stick_state = UsbStick::present();
    if (!m_previous_stick_state && m_stick_state) {
        chooseTextLog();
        Q_EMIT sigDevicePresent();
    }
}

void Logger::chooseTextLog() {
    m_log_name = LogFileNames::nextText(
        QDir(stickFile(QString())).entryList(QDir::Files | QDir::Hidden), unitName());
}

void Logger::chooseRawLog() {
    const LogFileNames::Raw raw = LogFileNames::nextRaw(
        QDir(stickFile(QString())).entryList(QDir::Files | QDir::Hidden), unitName());
    if (!raw.toCompress.isEmpty()) {
        CommandRunner::run(QStringLiteral("/bin/gzip ") +
                           shellQuoted(UsbStick::kMountPoint + QLatin1Char('/') + raw.toCompress));
    }
    m_raw_log_name = raw.next;
}

void Logger::dump() {
    timeText();
    checkStick();
    QMutexLocker lock(&m_mutex);
    if (!m_stick_state) {
        m_full.clear();
        return;
    }
    if (m_buffer.isEmpty() && m_full.isEmpty()) {
        return;
    }
    const QString text = m_full + m_buffer;
    m_full.clear();
    m_buffer.clear();
    m_lines = 0;
    lock.unlock();

    if (QFileInfo(stickFile(m_log_name)).size() > kMaxLogFileSize) {
        chooseTextLog();
    }
    QFile file(stickFile(m_log_name));
    if (!file.open(QIODevice::Append)) {
        return;
    }
    file.write(text.toLocal8Bit());
    if (++nLogCounter > kDumpsBetweenVersions) {
        file.write("\nVersion: " + kSoftwareVersion.toLatin1() +
                   CompileDateAndTime::getCompileTimestampAsNumber().toLatin1() + "\n");
        nLogCounter = 0;
    }
}

// Without a stick the raw bytes have nowhere to go: they are dropped rather than kept.
void Logger::dumpRaw() {
    checkStick();
    QMutexLocker lock(&m_mutex);
    const QByteArray bytes = m_raw_buffer;
    m_raw_buffer.clear();
    lock.unlock();
    if (!m_stick_state || bytes.isEmpty()) {
        return;
    }
    if (m_raw_log_name.isEmpty() || QFileInfo(stickFile(m_raw_log_name)).size() > kMaxLogFileSize) {
        chooseRawLog();
    }
    QFile file(stickFile(m_raw_log_name));
    if (file.open(QIODevice::Append)) {
        QDataStream stream(&file);
        stream << bytes;
    }
}
