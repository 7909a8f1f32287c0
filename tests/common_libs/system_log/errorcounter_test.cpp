#include "errorcounter.h"

#include "platform.h"
#include "serializationcontroller.h"
#include "testroot.h"

#include <gtest/gtest.h>

namespace {

struct CountedRoot : TestRoot {
    CountedRoot() {
        Platform::configure(path(), QString());
        ErrorCounter::resetForTests();
    }
    ~CountedRoot() {
        ErrorCounter::resetForTests();
        Platform::configure(QString(), QString());
    }
};

struct CountCase {
    const char* name;
    QList<int> faults;
    int id;
    quint32 count;
    quint32 rejected;
    quint32 latest;
};

QList<int> repeated(int id, int times) {
    return QList<int>(times, id);
}

TEST(ErrorCounterCounts, CountsCapsAndRemembersTheLatestFault) {
    const CountCase cases[] = {
        {"one format error", {76}, 76, 1, 1, 76},
        {"hundredth checksum error stays at 99", repeated(70, 100), 70, 99, 100, 70},
        {"rejected stops at 792",
         repeated(70, 99) + repeated(71, 99) + repeated(72, 99) + repeated(73, 99) +
             repeated(74, 99) + repeated(75, 99) + repeated(76, 99) + repeated(77, 100),
         77, 99, 792, 77},
        {"rejected total is not a fault", {78, 79, 69}, 78, 0, 0, 0},
        {"latest is the last counted", {74, 70, 77}, 74, 1, 3, 77},
    };
    for (const CountCase& c : cases) {
        CountedRoot root;
        ErrorCounter* counter = ErrorCounter::getInstance();
        for (int id : c.faults) {
            counter->increase(id);
        }
        EXPECT_EQ(counter->getErrorCountByID(c.id), c.count) << c.name;
        EXPECT_EQ(counter->getErrorCountByID(ERR_TYPE_TOTAL_REJECTED), c.rejected) << c.name;
        EXPECT_EQ(counter->getLatestErrorCode(), c.latest) << c.name;
    }
}

TEST(ErrorCounterTable, ListsIdentityAndCountOfEachNonZeroCounter) {
    CountedRoot root;
    ErrorCounter* counter = ErrorCounter::getInstance();
    counter->increase(ERR_TYPE_SIG_QUALITY);
    QList<int> codes(ErrorCounter::kTableLength, 0);
    codes[7] = 77;
    codes[8] = 78;
    QList<int> counts(ErrorCounter::kTableLength, 0);
    counts[7] = 1;
    counts[8] = 1;
    EXPECT_EQ(counter->getListOfErrorCodes(), codes);
    EXPECT_EQ(counter->getListOfErrorCounts(), counts);
}

TEST(ErrorCounterFile, MissingFileStartsAtZeroAndCountsSurviveARestart) {
    CountedRoot root;
    ErrorCounter* counter = ErrorCounter::getInstance();
    EXPECT_TRUE(SerializationController::checkForFile(ErrorCounter::kFileName,
                                                      SerializationController::kLogFolder));
    counter->increase(ERR_TYPE_NMEA_FORMAT);
    counter->writeToLogFile();
    ErrorCounter::resetForTests();
    counter = ErrorCounter::getInstance();
    EXPECT_EQ(counter->getErrorCountByID(ERR_TYPE_NMEA_FORMAT), 1u);
    EXPECT_EQ(counter->getLatestErrorCode(), quint32(ERR_TYPE_NMEA_FORMAT));
    counter->countLogReset();
    ErrorCounter::resetForTests();
    EXPECT_EQ(ErrorCounter::getInstance()->getErrorCountByID(ERR_TYPE_TOTAL_REJECTED), 0u);
}

TEST(ErrorCounterFile, ALatestFaultIsSavedAfterTheCountsAreCapped) {
    CountedRoot root;
    ErrorCounter* counter = ErrorCounter::getInstance();
    for (int id = ERR_TYPE_UDP_CRC; id < ERR_TYPE_TOTAL_REJECTED; ++id) {
        for (int i = 0; i < 100; ++i) {
            counter->increase(id);
        }
    }
    counter->writeToLogFile();
    counter->increase(ERR_TYPE_UDP_CRC);
    counter->writeToLogFile();
    ErrorCounter::resetForTests();
    EXPECT_EQ(ErrorCounter::getInstance()->getLatestErrorCode(), quint32(ERR_TYPE_UDP_CRC));
    EXPECT_EQ(ErrorCounter::getInstance()->getErrorCountByID(ERR_TYPE_TOTAL_REJECTED), 792u);
}

TEST(ErrorCounterFile, UnreadableFileStartsAtZero) {
    CountedRoot root;
    root.writeFile(QStringLiteral("/opt/log_files/Error_count_log"), "not json");
    EXPECT_EQ(ErrorCounter::getInstance()->getErrorCountByID(ERR_TYPE_UDP_CRC), 0u);
    EXPECT_EQ(ErrorCounter::getInstance()->getLatestErrorCode(), 0u);
}

} // namespace
