#include "sentenceframer.h"

#include <gtest/gtest.h>

namespace {
struct FramingCase {
    const char* name;
    std::vector<QByteArray> reads;
    QStringList sentences;
    QString rejected;
};

TEST(SentenceFramer, CutsTheStreamIntoSentences) {
    const FramingCase cases[] = {
        {"Whole", {"$A,1*00\r\n"}, {"$A,1*00\r\n"}, ""},
        {"SplitAcrossReads", {"$A,", "1*00\r", "\n"}, {"$A,1*00\r\n"}, ""},
        {"TwoInOneRead", {"$A\r\n$B\r\n"}, {"$A\r\n", "$B\r\n"}, ""},
        {"NoiseBefore", {"xy$A\r\n"}, {"$A\r\n"}, "xy"},
        {"NoiseBetween", {"$A\r\nz$B\r\n"}, {"$A\r\n", "$B\r\n"}, "z"},
        {"LoneLineFeed", {"\n$A\r\n"}, {"$A\r\n"}, "\n"},
        {"NoDollar", {"garbage\r\n"}, {}, "garbage\r\n"},
        {"CutShortByNewSentence", {"$A,1,2$B\r\n"}, {"$B\r\n"}, "$A,1,2"},
        {"LineFeedOnlyKept", {"$A\n"}, {"$A\n"}, ""},
        {"Latin1BytesKept",
         {QByteArray("$A,\xe9\xff\r\n")},
         {QString::fromLatin1("$A,\xe9\xff\r\n")},
         ""},
        {"ControlBytesBeforeDollar", {QByteArray("\x13\x11$A\r\n")}, {"$A\r\n"}, "\x13\x11"},
    };
    for (const FramingCase& c : cases) {
        SentenceFramer framer;
        QStringList sentences;
        QString rejected;
        for (const QByteArray& read : c.reads) {
            const auto result = framer.append(read);
            sentences += result.sentences;
            rejected += result.rejected;
        }
        EXPECT_EQ(sentences, c.sentences) << c.name;
        EXPECT_EQ(rejected, c.rejected) << c.name;
    }
}

TEST(SentenceFramer, BoundsALineThatNeverEnds) {
    SentenceFramer framer(64);
    const auto first = framer.append("$" + QByteArray(40, 'a'));
    EXPECT_EQ(first.overflowed, 0);
    const auto second = framer.append(QByteArray(40, 'b'));
    EXPECT_EQ(second.overflowed, 81);
    EXPECT_EQ(framer.buffered(), 0);
    const auto after = framer.append("$A\r\n");
    EXPECT_EQ(after.sentences, QStringList{"$A\r\n"});
}
} // namespace
