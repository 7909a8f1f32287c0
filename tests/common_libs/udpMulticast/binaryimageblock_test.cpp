#include "binaryimageblock.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace {
quint32 be32(const QByteArray& datagram, int at) {
    return qFromBigEndian<quint32>(datagram.constData() + at);
}

struct CutCase {
    int imageBytes;
    QList<int> datagramBytes;
};

// The first datagram carries the 39-byte descriptor, so 1327 image bytes; each further one
// 1366. Every datagram is numbered from 0 and knows the count; the fragments join to the image.
TEST(BinaryImageBlock, AFrameIsCutIntoDatagramsOfAtMost1400Bytes) {
    const CutCase cases[] = {
        {1000, {1073}},       {1327, {1400}},           {1328, {1400, 35}},
        {2693, {1400, 1400}}, {2694, {1400, 1400, 35}}, {0, {73}},
    };
    for (const CutCase& c : cases) {
        QByteArray image(c.imageBytes, '\0');
        for (int i = 0; i < image.size(); ++i) {
            image[i] = char(i * 7);
        }
        const BinaryImageBlock block(image, "VD01", "XXXXXXXX", "RaUdP", 42);
        ASSERT_EQ(block.getDatagramCount(), c.datagramBytes.size()) << c.imageBytes;
        QByteArray joined;
        for (int i = 0; i < block.getDatagramCount(); ++i) {
            const QByteArray datagram = block.getDatagram(unsigned(i));
            EXPECT_EQ(datagram.size(), c.datagramBytes[i]) << c.imageBytes << " #" << i;
            EXPECT_EQ(datagram.left(20), QByteArray("RaUdP\0\0\1VD01\0\0XXXXXX", 20));
            EXPECT_EQ(qFromBigEndian<quint16>(datagram.constData() + 20), 1);
            EXPECT_EQ(be32(datagram, 22), 42u);
            EXPECT_EQ(be32(datagram, 26), quint32(i));
            EXPECT_EQ(be32(datagram, 30), quint32(block.getDatagramCount()));
            joined += datagram.mid(i == 0 ? 34 + 39 : 34);
        }
        const QByteArray first = block.getDatagram(0);
        EXPECT_EQ(be32(first, 34), 39u);
        EXPECT_EQ(be32(first, 38), quint32(c.imageBytes));
        EXPECT_EQ(first.mid(46, 27), QByteArray("\x19"
                                                "application/octet-stream\0\0",
                                                27));
        EXPECT_EQ(joined, image) << c.imageBytes;
        EXPECT_TRUE(block.getDatagram(unsigned(block.getDatagramCount())).isEmpty());
    }
}

TEST(BinaryImageBlock, BlockIdentifiersStepOnAndSkipTheHighest) {
    quint32 counter = 0xFFFFFFFE;
    EXPECT_EQ(BinaryImageBlock::takeBlockId(counter), 0xFFFFFFFEu);
    EXPECT_EQ(BinaryImageBlock::takeBlockId(counter), 0u);
    EXPECT_EQ(BinaryImageBlock::takeBlockId(counter), 1u);
    const BinaryImageBlock a("x", "VD0101", "XXXXXX", "RaUdP");
    const BinaryImageBlock b("y", "VD0101", "XXXXXX", "RaUdP");
    EXPECT_EQ(b.getBlockId(), a.getBlockId() + 1);
}
} // namespace
