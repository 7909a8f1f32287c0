#include "demoplayer.h"

#include "atomicfile.h"
#include "logfileparser.h"
#include "logger.h"
#include "nmeaparser.h"
#include "platform.h"

#include <QFileInfo>

DemoPlayer::DemoPlayer(QObject* parent) : QObject(parent), m_logParser(new LogFileParser) {
    m_logParser->moveToThread(&m_parserThread);
    connect(this, &DemoPlayer::parseFile, m_logParser, &LogFileParser::parseLogFile);
    connect(m_logParser, &LogFileParser::logFileParsed, this, &DemoPlayer::slotLogFileParsed);
    connect(&m_demoTimer, &PlatformTimer::timeout, this, &DemoPlayer::playNextLine);
    m_parserThread.start(QThread::LowestPriority);
}

DemoPlayer::~DemoPlayer() {
    m_parserThread.quit();
    m_parserThread.wait();
    delete m_logParser;
}

NmeaMessagePtr DemoPlayer::sentenceOf(const QString& line) {
    return NmeaParser::parse(NmeaMessage::addCrcToMsgBuffer(line.mid(1)));
}

void DemoPlayer::playDemo() {
    m_wanted = true;
    const QString log = Platform::path(QLatin1String(kStickLog));
    if (QFileInfo::exists(log)) {
        Logger::instance()->append(QStringLiteral("Demo: converting ") + log, Logger::LOG_INFO);
        Q_EMIT parseFile(log);
        return;
    }
    startDemoFromFile();
}

void DemoPlayer::slotLogFileParsed(const QString& demoText) {
    if (!AtomicFile::write(Platform::appPath(QLatin1String(kDemoFileName)), demoText.toLatin1())) {
        Logger::instance()->append(QStringLiteral("Demo: converted log not written"),
                                   Logger::LOG_ERROR);
    }
    startDemoFromFile();
}

void DemoPlayer::startDemoFromFile() {
    if (!m_wanted || m_isRunning) {
        return;
    }
    m_filePath = QLatin1String(kBuiltInDemo);
    for (const QString& candidate : {Platform::appPath(QLatin1String(kDemoFileName)),
                                     Platform::path(QLatin1String(kStickDemo))}) {
        if (QFileInfo::exists(candidate)) {
            m_filePath = candidate;
            break;
        }
    }
    m_demoFile.setFileName(m_filePath);
    if (!m_demoFile.open(QIODevice::ReadOnly | QIODevice::Text)) {
        Logger::instance()->append(QStringLiteral("Demo: cannot open ") + m_filePath,
                                   Logger::LOG_ERROR);
        return;
    }
    Logger::instance()->append(QStringLiteral("Demo: playing ") + m_filePath, Logger::LOG_INFO);
    m_inputStream = std::make_unique<QTextStream>(&m_demoFile);
    m_isRunning = true;
    m_demoTimer.start(kLineIntervalMs);
}

void DemoPlayer::playNextLine() {
    if (!m_isRunning) {
        return;
    }
    m_demoTimer.start(kLineIntervalMs);
    if (m_inputStream->atEnd()) {
        m_inputStream->seek(0);
    }
    const QString line = m_inputStream->readLine();
    if (line.size() < 2) {
        return;
    }
    if (NmeaMessagePtr sentence = sentenceOf(line)) {
        Q_EMIT nmeaMessageFromFile(sentence);
    }
}

void DemoPlayer::stopDemo() {
    m_wanted = false;
    m_isRunning = false;
    m_demoTimer.stop();
    m_inputStream.reset();
    m_demoFile.close();
}
