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

struct CutCase {
    const char* name;
    QByteArray input;
    std::vector<QByteArray> frames;
    qsizetype buffered;
};

TEST(RawFrameCutter, CutsEveryCompleteFrameOfOneRead) {
    const QByteArray next = longFrame('z', 10);
    const CutCase cases[] = {
        {"long header loses 13 bytes",
         longFrame('a', 300) + next,
         {QByteArray(300, 'a')},
         next.size()},
        {"long body is cut to 1024",
         longFrame('a', 1500) + next,
         {QByteArray(1024, 'a')},
         next.size()},
        {"short header loses 18 bytes",
         shortFrame('b', 300) + next,
         {QByteArray(300, 'b')},
         next.size()},
        {"short body is cut to 2560",
         shortFrame('b', 3000) + next,
         {QByteArray(2560, 'b')},
         next.size()},
        {"three frames in one read",
         longFrame('a', 250) + shortFrame('b', 250) + longFrame('c', 250) + next,
         {QByteArray(250, 'a'), QByteArray(250, 'b'), QByteArray(250, 'c')},
         next.size()},
        {"noise before the header is dropped",
         QByteArray("noise") + longFrame('a', 250) + next,
         {QByteArray(250, 'a')},
         next.size()},
        {"an unfinished frame waits", longFrame('a', 250), {}, 263},
        {"200 bytes or less are not cut", longFrame('a', 100) + next, {}, 113 + next.size()},
    };
    for (const CutCase& c : cases) {
        RawFrameCutter cutter;
        const QList<QByteArray> frames = cutter.append(c.input);
        ASSERT_EQ(frames.size(), static_cast<qsizetype>(c.frames.size())) << c.name;
        for (size_t i = 0; i < c.frames.size(); ++i) {
            EXPECT_EQ(frames[static_cast<qsizetype>(i)], c.frames[i]) << c.name << " frame " << i;
        }
        EXPECT_EQ(cutter.buffered(), c.buffered) << c.name;
    }
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

struct BoundCase {
    const char* name;
    QByteArray start;
    QByteArray chunk;
    int reads;
};

TEST(RawFrameCutter, BuffersStayBounded) {
    const BoundCase cases[] = {
        {"bytes that never hold a header", QByteArray(), QByteArray(4096, 'x'), 50},
        {"a header whose frame never ends", longFrame('a', 10), QByteArray(4096, 'y'), 50},
    };
    for (const BoundCase& c : cases) {
        RawFrameCutter cutter;
        cutter.append(c.start);
        for (int i = 0; i < c.reads; ++i) {
            EXPECT_TRUE(cutter.append(c.chunk).isEmpty()) << c.name;
            EXPECT_LE(cutter.buffered(), RawFrameCutter::kMaxBuffered) << c.name;
        }
        EXPECT_GT(cutter.dropped(), 0) << c.name;
        // The stream recovers at the next pair of headers.
        const QList<QByteArray> frames = cutter.append(longFrame('c', 300) + longFrame('d', 1));
        ASSERT_EQ(frames.size(), 1) << c.name;
        EXPECT_EQ(frames[0], QByteArray(300, 'c')) << c.name;
    }
}

} // namespace
