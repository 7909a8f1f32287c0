#include "logfilenames.h"
#include "logger.h"
#include "platform.h"
#include "testroot.h"
#include "usbstick.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

struct NameCase {
    const char* name;
    QStringList entries;
    QString unit;
    QString text;
    QString raw;
    QString toCompress;
};

TEST(LogFileNames, NextNumberAfterTheHighestOfThisUnit) {
    const NameCase cases[] = {
        {"empty stick", {}, "U", "U00000001.txt", "U00000001raw.txt", ""},
        {"text 7 present",
         {"U00000007.txt", "U00000003.txt"},
         "U",
         "U00000008.txt",
         "U00000001raw.txt",
         ""},
        {"raw 2 present goes to gzip",
         {"U00000001raw.txt.gz", "U00000002raw.txt"},
         "U",
         "U00000001.txt",
         "U00000003raw.txt",
         "U00000002raw.txt"},
        {"compressed raw keeps its number",
         {"U00000004raw.txt.gz"},
         "U",
         "U00000001.txt",
         "U00000005raw.txt",
         ""},
        {"other units and files ignored",
         {"V00000009.txt", "U0001.txt", "Unote.txt"},
         "U",
         "U00000001.txt",
         "U00000001raw.txt",
         ""},
        {"name with pattern characters",
         {"A+B00000002.txt", "AAB00000005.txt"},
         "A+B",
         "A+B00000003.txt",
         "A+B00000001raw.txt",
         ""},
        {"path separators stay inside the folder",
         {".._x00000001.txt"},
         "../x",
         ".._x00000002.txt",
         ".._x00000001raw.txt",
         ""},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(LogFileNames::nextText(c.entries, c.unit), c.text) << c.name;
        const LogFileNames::Raw raw = LogFileNames::nextRaw(c.entries, c.unit);
        EXPECT_EQ(raw.next, c.raw) << c.name;
        EXPECT_EQ(raw.toCompress, c.toCompress) << c.name;
    }
}

TEST(UsbStick, MountPointIsTheSecondField) {
    EXPECT_EQ(UsbStick::mountPoints("/dev/root / ext4 rw 0 0\n  /dev/sda1   /media/usb0 vfat "
                                    "rw 0 0\n\nbroken\n"),
              QStringList({"/", "/media/usb0"}));
}

// A board root whose stick can be put in and pulled, with a fresh logger on it.
class StickedLogger : public ::testing::Test {
protected:
    StickedLogger() {
        Platform::configure(root.path(), QString());
        Logger::resetForTests();
        logger = Logger::instance();
        logger->setUnitNameSource([this] { return unitName; });
        QObject::connect(logger, &Logger::sigDevicePresent, [this] { ++insertions; });
        QDir().mkpath(root.path("/media/usb0"));
    }
    ~StickedLogger() override {
        Logger::resetForTests();
        Platform::configure(QString(), QString());
    }
    void insert() { root.writeFile("/etc/mtab", "/dev/sda1 /media/usb0 vfat rw 0 0\n"); }
    void pull() { root.writeFile("/etc/mtab", "/dev/root / ext4 rw 0 0\n"); }
    QByteArray stickFile(const QString& name) { return root.readFile("/media/usb0/" + name); }
    QStringList onStick() {
        return QDir(root.path("/media/usb0")).entryList(QDir::Files | QDir::Hidden);
    }

    TestRoot root;
    QString unitName = QStringLiteral("U");
    Logger* logger = nullptr;
    int insertions = 0;
};

TEST_F(StickedLogger, LinesReachTheStickOnlyWhileItIsIn) {
    logger->append("before", Logger::LOG_INFO);
    logger->dump();
    EXPECT_EQ(insertions, 0);
    EXPECT_TRUE(onStick().isEmpty());

    insert();
    logger->setTimeSource([] { return QStringLiteral("123456.78"); });
    logger->append("in\r\n", Logger::LOG_INFO);
    logger->dump();
    logger->dump();
    EXPECT_EQ(insertions, 1);
    EXPECT_EQ(stickFile("U00000001.txt"), "before\t000000.000\r\nin\t123456.78\r\n");
    EXPECT_EQ(logger->lineCount(), 0);

    pull();
    logger->append("pulled", Logger::LOG_INFO);
    logger->dump();
    EXPECT_EQ(stickFile("U00000001.txt"), "before\t000000.000\r\nin\t123456.78\r\n");
    EXPECT_EQ(logger->lineCount(), 1);

    insert();
    logger->dump();
    EXPECT_EQ(insertions, 2);
    EXPECT_EQ(stickFile("U00000002.txt"), "pulled\t123456.78\r\n");
}

TEST_F(StickedLogger, AFullBufferIsWrittenWhileAStickIsInAndDroppedWithout) {
    const auto fill = [this](const char* text) {
        for (int i = 0; i <= 1000; ++i) {
            logger->append(text, Logger::LOG_DEBUG);
        }
    };
    fill("dropped");
    insert();
    logger->dump();
    EXPECT_EQ(stickFile("U00000001.txt"), "dropped\t000000.000\r\n");

    fill("kept");
    EXPECT_EQ(logger->lineCount(), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(stickFile("U00000001.txt").count("kept"), 1001);
    EXPECT_EQ(logger->lineCount(), 0);
}

TEST_F(StickedLogger, TenthDumpAddsTheVersionAndAFullFileStartsANewOne) {
    insert();
    for (int dump = 1; dump <= 10; ++dump) {
        logger->append("line", Logger::LOG_INFO);
        logger->dump();
        EXPECT_EQ(stickFile("U00000001.txt").contains("Version: 1.2.1.2"), dump == 10) << dump;
    }
    QFile full(root.path("/media/usb0/U00000001.txt"));
    ASSERT_TRUE(full.resize(Logger::kMaxLogFileSize));
    logger->append("still", Logger::LOG_INFO);
    logger->dump();
    EXPECT_TRUE(stickFile("U00000001.txt").endsWith("still\t000000.000\r\n"));
    logger->append("next", Logger::LOG_INFO);
    logger->dump();
    EXPECT_EQ(stickFile("U00000002.txt"), "next\t000000.000\r\n");
}

TEST_F(StickedLogger, UnitNameCannotLeadOutsideTheStick) {
    unitName = QStringLiteral("../x");
    insert();
    logger->append("line", Logger::LOG_INFO);
    logger->dump();
    EXPECT_EQ(onStick(), QStringList{".._x00000001.txt"});
    EXPECT_FALSE(root.exists("/media/x00000001.txt"));
}

TEST_F(StickedLogger, RawBytesAreDroppedWithoutAStickAndFramedOnIt) {
    const QByteArray bytes(Logger::kRawDumpSize + 1, 'r');
    logger->logRawData(bytes);
    EXPECT_EQ(logger->rawBufferSize(), 0);

    unitName = QStringLiteral("Main Unit");
    root.writeFile("/media/usb0/Main Unit00000002raw.txt", "old");
    insert();
    logger->logRawData(bytes);
    // A record: its length as 32 bits, big-endian (10370 bytes), then the bytes.
    EXPECT_EQ(stickFile("Main Unit00000003raw.txt"), QByteArray("\0\0\x28\x82", 4) + bytes);
    EXPECT_EQ(root.readFile("/board_commands"),
              "/bin/gzip '/media/usb0/Main Unit00000002raw.txt'\n");
}

TEST_F(StickedLogger, LinesFromManyThreadsArriveWhole) {
    insert();
    constexpr int kThreads = 4;
    constexpr int kLines = 200;
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([this, t] {
            for (int i = 0; i < kLines; ++i) {
                logger->append(QStringLiteral("thread %1 line %2").arg(t).arg(i),
                               Logger::LOG_DEBUG);
            }
        });
    }
    for (int i = 0; i < 50; ++i) {
        logger->dump();
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    logger->dump();
    int written = 0;
    for (const QByteArray& line : stickFile("U00000001.txt").split('\n')) {
        if (line.isEmpty() || line.startsWith("Version: ")) {
            continue;
        }
        ASSERT_TRUE(line.startsWith("thread ") && line.endsWith("\t000000.000\r"))
            << line.constData();
        ++written;
    }
    EXPECT_EQ(written, kThreads * kLines);
}

} // namespace
