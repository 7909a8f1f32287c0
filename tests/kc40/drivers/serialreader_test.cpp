#include "nmeaparser.h"
#include "platform.h"
#include "pseudoterminal.h"
#include "serialreader.h"
#include "testroot.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
class SerialReaderOnPty : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::configure(root.path(), QStringLiteral("lo"));
        ASSERT_TRUE(line.isValid());
        QObject::connect(&reader, &SerialReader::receivedSerialNmea,
                         [this](NmeaMessagePtr message) { received.push_back(message); });
    }
    void TearDown() override { Platform::configure(QString(), QString()); }

    TestRoot root;
    PseudoTerminal line{root.path("/dev/ttyS1")};
    SerialReader reader;
    std::vector<NmeaMessagePtr> received;
};

// Nothing is handed on before receiving is enabled; then split sentences are joined and
// joined ones separated, flagged ones handed on too.
TEST_F(SerialReaderOnPty, JoinsSplitSentencesAndSeparatesJoinedOnes) {
    ASSERT_TRUE(reader.init(QStringLiteral("ttyS1"), 4800, true));
    line.write("$GPZZZ,0\r\n");
    spinFor(200);
    EXPECT_TRUE(received.empty());
    reader.enableReceiving(true);

    line.write("noise$GPHDT,123.4,T*31\r\n$GPH");
    spinFor(50);
    line.write("DT,5.0,T*00\r\n$GPZZZ,1\r\n");

    ASSERT_TRUE(waitFor([this] { return received.size() == 3; }));
    QStringList texts;
    for (const auto& message : received) {
        texts << message->receivedText();
    }
    EXPECT_EQ(texts, (QStringList{"$GPHDT,123.4,T*31\r\n", "$GPHDT,5.0,T*00\r\n", "$GPZZZ,1\r\n"}));
    EXPECT_EQ(received[0]->errorType(), NO_ERROR);
    EXPECT_EQ(received[0]->messageType(), "HDT");
    EXPECT_EQ(received[1]->errorType(), CHECKSUM_ERROR);
    EXPECT_EQ(received[2]->talkerId(), "GP");
}

TEST_F(SerialReaderOnPty, WritesSentencesAsTheyAre) {
    ASSERT_TRUE(reader.init(QStringLiteral("ttyS1"), 115200, false));
    const QString sentence = QString::fromLatin1("$PNRVXYZ,\xe9*00\r\n");
    EXPECT_EQ(reader.sendMessage(sentence), sentence.size());
    reader.flush();
    EXPECT_EQ(line.read(2000, "\r\n"), sentence.toLatin1());
}

TEST_F(SerialReaderOnPty, RefusesUnsupportedRatesAndMissingDevices) {
    EXPECT_FALSE(reader.init(QStringLiteral("ttyS1"), 9600, true));
    EXPECT_FALSE(reader.isOpen());
    EXPECT_FALSE(reader.init(QStringLiteral("ttyS2"), 4800, true)); // nothing linked there
    EXPECT_EQ(reader.sendMessage(QStringLiteral("$GPZZZ,1\r\n")), -1);
}
} // namespace
