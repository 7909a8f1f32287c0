#include "logger.h"

#include <QLoggingCategory>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <unistd.h>

namespace {
Q_LOGGING_CATEGORY(lcLibrary, "kc40.library")
Q_LOGGING_CATEGORY(lcQtPart, "qt.part")

// What the action writes on the console (the standard error).
QByteArray console(const std::function<void()>& action) {
    QTemporaryFile file;
    EXPECT_TRUE(file.open());
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    dup2(file.handle(), STDERR_FILENO);
    action();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    QFile written(file.fileName());
    return written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();
}

struct MessageCase {
    const char* name;
    std::function<void()> log;
    QByteArray console;
    // The line the unit's log takes, empty when it takes none.
    QString line;
};

TEST(Logger, CollectsLibraryMessagesAsAppendWould) {
    Logger::collectLibraryMessages();
    Logger::collectLibraryMessages();
    const MessageCase cases[] = {
        {"critical", [] { qCCritical(lcLibrary) << "line lost"; }, "ERROR:   line lost\n",
         "line lost\t000000.000\r\n"},
        {"warning", [] { qCWarning(lcLibrary) << "file kept"; }, "WARNING: file kept\n",
         "file kept\t000000.000\r\n"},
        {"info", [] { qCInfo(lcLibrary) << "reset"; }, "INFO:    reset\n", "reset\t000000.000\r\n"},
        {"debug", [] { qCDebug(lcLibrary) << "detail"; }, "DEBUG:   detail\n",
         "detail\t000000.000\r\n"},
        {"plain qDebug", [] { qDebug() << "trace"; }, "trace\n", ""},
        {"plain qWarning", [] { qWarning() << "careful"; }, "careful\n", ""},
        {"a category of Qt's own", [] { qCWarning(lcQtPart) << "socket"; }, "qt.part: socket\n",
         ""},
    };
    Logger* logger = Logger::instance();
    for (const MessageCase& c : cases) {
        const QString before = logger->buffer();
        EXPECT_EQ(console(c.log), c.console) << c.name;
        EXPECT_EQ(logger->buffer(), before + c.line) << c.name;
    }
}

TEST(Logger, LinesCarryATimeFieldAndTheBufferIsBounded) {
    Logger* logger = Logger::instance();
    logger->append("first\r\nline", Logger::LOG_INFO);
    EXPECT_TRUE(logger->buffer().endsWith("firstline\t000000.000\r\n"));

    logger->appendNmeaError("Invalid msg from sensor", "$X\r\n", CHECKSUM_ERROR);
    EXPECT_TRUE(logger->buffer().endsWith("- ERROR:   Invalid msg from sensor: $X 000000.000\r\n"
                                          "- ERROR:   Wrong checksum! 000000.000\r\n"));
    const int lines = logger->lineCount();
    logger->appendNmeaError("nothing", "to log", NO_ERROR);
    EXPECT_EQ(logger->lineCount(), lines);

    for (int i = logger->lineCount(); i < 1000; ++i) {
        logger->append("filler", Logger::LOG_DEBUG);
    }
    EXPECT_EQ(logger->lineCount(), 1000);
    logger->append("after", Logger::LOG_DEBUG); // the 1001st line starts a fresh buffer
    EXPECT_EQ(logger->lineCount(), 1);
    EXPECT_EQ(logger->buffer(), "after\t000000.000\r\n");
}

} // namespace
