#include "sensorvq2upgrader.h"

#include "platform.h"
#include "testroot.h"

#include <QDir>

#include <functional>

#include <gtest/gtest.h>

namespace {

using Upgrader = SensorVQ2Upgrader;

QByteArray imageOf(qint64 size) {
    QByteArray image(size, '\0');
    for (qint64 i = 0; i < size; ++i) {
        image[i] = static_cast<char>(1 + i % 251);
    }
    return image;
}

TEST(SensorVQ2Upgrader, WmapReversesTheBitOrderOfEachByte) {
    const std::pair<quint8, quint8> cases[] = {{0x00, 0x00}, {0x01, 0x80}, {0xC7, 0xE3},
                                               {0x06, 0x60}, {0x05, 0xA0}, {0xFF, 0xFF}};
    for (const auto& [byte, onLine] : cases) {
        EXPECT_EQ(Upgrader::wmap()[byte], onLine) << int(byte);
    }
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(Upgrader::wmap()[Upgrader::wmap()[i]], i) << "twice reversed is the byte";
    }
}

// Every byte of the image lands in its page bit-reversed; the last page is filled up with
// zeros, and no page follows the image.
TEST(SensorVQ2Upgrader, ImageIsCutIntoPagesTheLastPaddedWithZeros) {
    struct Case {
        qint64 size;
        int pages;
        int lastPageBytes;
    };
    const Case cases[] = {{512, 2, 256},
                          {300, 2, 44},
                          {256, 1, 256},
                          {1, 1, 1},
                          {Upgrader::kMaxImageSize, Upgrader::kPageCount, 256}};
    for (const Case& c : cases) {
        const QByteArray image = imageOf(c.size);
        ASSERT_EQ(Upgrader::pageCountOf(c.size), c.pages) << c.size;
        const int last = c.pages - 1;
        const QByteArray page = Upgrader::imagePage(image, last);
        ASSERT_EQ(page.size(), Upgrader::kPageSize) << c.size;
        for (int i = 0; i < Upgrader::kPageSize; ++i) {
            const quint8 expected =
                i < c.lastPageBytes
                    ? Upgrader::wmap()[static_cast<quint8>(image[qint64(last) * 256 + i])]
                    : 0;
            ASSERT_EQ(static_cast<quint8>(page[i]), expected) << c.size << " byte " << i;
        }
    }
}

// Nothing but a regular, non-empty file that fits the PROM's 2048 pages is written to the
// sensor: anything else would leave it erased or with its image's start overwritten.
TEST(SensorVQ2Upgrader, OnlyANonEmptyRegularFileThatFitsThePromIsAnImage) {
    TestRoot root;
    QDir().mkpath(root.path("/folder"));
    const std::pair<QString, QString> cases[] = {
        {root.writeFile("/small", imageOf(300)), QString()},
        {root.writeFile("/full", imageOf(Upgrader::kMaxImageSize)), QString()},
        {root.writeFile("/empty", {}), QStringLiteral("Empty file")},
        {root.writeFile("/over", imageOf(Upgrader::kMaxImageSize + 1)),
         QStringLiteral("File too big")},
        {root.path("/folder"), QStringLiteral("File read error")},
        {root.path("/missing"), QStringLiteral("File read error")},
    };
    for (const auto& [path, refusal] : cases) {
        const Upgrader::Image image = Upgrader::readImage(path);
        EXPECT_EQ(image.refusal, refusal) << qPrintable(path);
        EXPECT_EQ(image.bytes.isEmpty(), !image.usable()) << qPrintable(path);
    }
    EXPECT_EQ(Upgrader::readImage(root.path("/small")).bytes, imageOf(300));
}

// The firmware folder is emptied at start, and an image is preferred to a folder beside it.
TEST(SensorVQ2Upgrader, FolderIsEmptiedAtStartAndAFileIsTakenBeforeAFolder) {
    TestRoot root;
    Platform::configure(root.path(), QString());
    root.writeFile("/opt/sensorFirmware/old.bin", "old");
    root.writeFile("/opt/sensorFirmware/a_folder/inside", "x");
    Upgrader upgrader;
    EXPECT_FALSE(upgrader.sensorUpgradeFileExist());
    EXPECT_FALSE(root.exists("/opt/sensorFirmware/a_folder"));
    EXPECT_TRUE(root.exists("/opt/sensorFirmware"));

    QDir().mkpath(root.path("/opt/sensorFirmware/a_folder"));
    EXPECT_TRUE(upgrader.sensorUpgradeFileExist());
    EXPECT_EQ(upgrader.getFirmwareFilePath(), root.path("/opt/sensorFirmware/a_folder"));
    root.writeFile("/opt/sensorFirmware/new.bin", "new");
    EXPECT_EQ(upgrader.getFirmwareFilePath(), root.path("/opt/sensorFirmware/new.bin"));
    Platform::configure(QString(), QString());
}

// An image is taken once it has stayed the same from one tick to the next: one still being
// copied in would be written to the sensor cut short.
TEST(SensorVQ2Upgrader, ImageIsTakenOnlyOnceItHasStoppedChanging) {
    TestRoot root;
    const QString image = root.writeFile("/vq2.bin", imageOf(100));
    const QString other = root.writeFile("/other.bin", imageOf(100));
    Platform::configure(root.path(), QString());
    Upgrader upgrader;
    const std::pair<std::function<void()>, bool> ticks[] = {
        {[] {}, false},                                             // first seen
        {[] {}, true},                                              // unchanged
        {[&] { root.writeFile("/vq2.bin", imageOf(300)); }, false}, // grew
        {[] {}, true},
    };
    for (const auto& [change, settled] : ticks) {
        change();
        EXPECT_EQ(upgrader.imageSettled(image), settled);
    }
    EXPECT_FALSE(upgrader.imageSettled(other)) << "another file";
    Platform::configure(QString(), QString());
}

} // namespace
