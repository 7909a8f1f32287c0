#include "rawframecutter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

QByteArray longFrame(char fill, int bodySize) {
    return QByteArray("$PNRV$PNRVRAW") + QByteArray(bodySize, fill);
}

QByteArray shortFrame(char fill, int bodySize) {
    return QByteArray("$PNRVRAW") + QByteArray(10, 'h') + QByteArray(bodySize, fill);
}

// Every complete frame of a read is cut, each ended by the next header; what is left waits.
TEST(RawFrameCutter, CutsEveryCompleteFrameOfOneRead) {
    const QByteArray next = longFrame('z', 10);
    auto body = [](char fill, int size) { return QByteArray(size, fill); };
    const std::pair<QByteArray, QList<QByteArray>> cases[] = {
        {longFrame('a', 300), {body('a', 300)}},   // the long header loses 13 bytes
        {longFrame('a', 1500), {body('a', 1024)}}, // a long body is cut to 1024
        {shortFrame('b', 300), {body('b', 300)}},  // the short header loses 18 bytes
        {shortFrame('b', 3000), {body('b', 2560)}},
        {longFrame('a', 250) + shortFrame('b', 250) + longFrame('c', 250),
         {body('a', 250), body('b', 250), body('c', 250)}},
        {"noise" + longFrame('a', 250), {body('a', 250)}},
        {longFrame('a', 100), {}}, // 200 bytes or less are not cut
    };
    for (const auto& [input, frames] : cases) {
        RawFrameCutter cutter;
        EXPECT_EQ(cutter.append(input + next), frames) << input.left(20).constData();
        EXPECT_EQ(cutter.buffered(), next.size() + (frames.isEmpty() ? input.size() : 0));
    }
    RawFrameCutter cutter;
    EXPECT_TRUE(cutter.append(longFrame('a', 250)).isEmpty()) << "an unfinished frame waits";
    EXPECT_EQ(cutter.buffered(), 263);
}

TEST(RawFrameCutter, FrameSplitAcrossReadsIsJoined) {
    RawFrameCutter cutter;
    const QByteArray stream = longFrame('a', 400) + longFrame('b', 10);
    QList<QByteArray> frames;
    for (qsizetype at = 0; at < stream.size(); at += 7) {
        frames += cutter.append(stream.mid(at, 7));
    }
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0], QByteArray(400, 'a'));
}

TEST(RawFrameCutter, BuffersStayBounded) {
    // name, what comes first, the chunk read again and again, reads
    const std::tuple<const char*, QByteArray, QByteArray, int> cases[] = {
        {"bytes that never hold a header", QByteArray(), QByteArray(4096, 'x'), 50},
        {"a header whose frame never ends", longFrame('a', 10), QByteArray(4096, 'y'), 50},
    };
    for (const auto& [name, start, chunk, reads] : cases) {
        RawFrameCutter cutter;
        cutter.append(start);
        for (int i = 0; i < reads; ++i) {
            EXPECT_TRUE(cutter.append(chunk).isEmpty()) << name;
            EXPECT_LE(cutter.buffered(), RawFrameCutter::kMaxBuffered) << name;
        }
        EXPECT_GT(cutter.dropped(), 0) << name;
        // The stream recovers at the next pair of headers.
        const QList<QByteArray> frames = cutter.append(longFrame('c', 300) + longFrame('d', 1));
        ASSERT_EQ(frames.size(), 1) << name;
        EXPECT_EQ(frames[0], QByteArray(300, 'c')) << name;
    }
}

} // namespace
