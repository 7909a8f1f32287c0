#include "logger.h"

#include <gtest/gtest.h>

namespace {
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

TEST(Logger, LevelPrefixesAreNineCharactersWide) {
    for (int level : {0, 1, 2, 3, 7}) {
        EXPECT_EQ(Logger::getLogLevelString(level).size(), 9) << level;
    }
    EXPECT_EQ(Logger::getLogLevelString(7), "???:     ");
}
} // namespace
