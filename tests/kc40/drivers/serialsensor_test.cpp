#include "nmeamessage.h"
#include "platform.h"
#include "pseudoterminal.h"
#include "sensorhandshake.h"
#include "serialsensor.h"
#include "testroot.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

QByteArray sentence(const char* body) {
    return NmeaMessage::addCrcToMsgBuffer(QString::fromLatin1(body)).toLatin1();
}

QByteArray withBadChecksum(QByteArray text) {
    const qsizetype digit = text.size() - 3;
    text[digit] = text[digit] == '0' ? '1' : '0';
    return text;
}

const QByteArray kDat4 =
    sentence("PNRVDAT,4,+05.1,8,+00.2,8,+12.5,10,-20,998,+05.0,9,+00.1,9,25.5,26.0");
const QByteArray kDat5 = sentence("PNRVDAT,5,+05.2,7,+00.3,7,+12.5,10,-20,998");
const QByteArray kCfgEcho = sentence("PNRVCFG,4,2,1,3,01,1110,3,3,15,0");
const QByteArray kTstEcho = sentence("PNRVTST,4,3,+05.0,00,1000");

// A sensor line opened on a pseudo-terminal of a fresh board root.
class SensorLine : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::configure(root.path(), QString());
        pty = std::make_unique<PseudoTerminal>(root.path("/dev/ttyS3"));
        ASSERT_TRUE(pty->isValid());
        ASSERT_TRUE(sensor.init(QStringLiteral("ttyS3"), 4800, true));
        QObject::connect(&sensor, &SerialSensor::receivedSerialNmea,
                         [this](NmeaMessagePtr m) { received.push_back(m->receivedText()); });
        SerialSensor::setBSendingFromApplicationEnabled(true);
        SensorHandshake::clearDatReceived();
    }
    void TearDown() override {
        sensor.close();
        Platform::configure(QString(), QString());
    }

    TestRoot root;
    std::unique_ptr<PseudoTerminal> pty;
    SerialSensor sensor;
    std::vector<QString> received;
};

TEST_F(SensorLine, StreamIsCutInOrderAndOnlyDamagedSentencesAreDropped) {
    const QByteArray badChecksum = withBadChecksum(kDat4);
    // name, what the sensor writes, the sentences handed on, damaged ones counted
    const std::tuple<const char*, std::vector<QByteArray>, std::vector<QByteArray>, quint32>
        cases[] = {
            {"garbage before a sentence", {"\x01\xffnoise" + kDat4}, {kDat4}, 0},
            {"sentence split across writes", {kDat4.left(10), kDat4.mid(10)}, {kDat4}, 0},
            {"two sentences in one write", {kDat4 + kDat5}, {kDat4, kDat5}, 0},
            {"bad checksum between good ones", {kDat4 + badChecksum + kDat5}, {kDat4, kDat5}, 1},
            {"sentence cut short by a new one", {kDat4.left(20) + kDat5}, {kDat5}, 0},
            {"a line that never ends is dropped", {"$" + QByteArray(2000, 'x'), kDat4}, {kDat4}, 0},
        };
    for (const auto& [name, writes, delivered, bad] : cases) {
        received.clear();
        const quint32 badBefore = sensor.badCount();
        const quint32 goodBefore = sensor.goodCount();
        for (const QByteArray& w : writes) {
            pty->write(w);
            spinFor(30);
        }
        ASSERT_TRUE(waitFor([&] { return received.size() >= delivered.size(); }, 6000)) << name;
        spinFor(50);
        ASSERT_EQ(received.size(), delivered.size()) << name;
        for (size_t i = 0; i < delivered.size(); ++i) {
            EXPECT_EQ(received[i], QString::fromLatin1(delivered[i])) << name;
        }
        EXPECT_EQ(sensor.badCount() - badBefore, bad) << name;
        EXPECT_EQ(sensor.goodCount() - goodBefore, delivered.size()) << name;
    }
}

TEST_F(SensorLine, OnlyAnUndamagedDatOfTheRightSystemIsASignOfLife) {
    const QByteArray damaged = withBadChecksum(kDat5);
    const std::tuple<const char*, QByteArray, bool, bool> cases[] = {
        // sentence, DAT4-only sensor, a sign of life
        {"system 5", kDat5, false, true},
        {"system 4", kDat4, false, false},
        {"system 4 with a DAT4-only sensor", kDat4, true, true},
        {"system 5 with a bad checksum", damaged, false, false},
        {"a command echo", kCfgEcho, true, false},
    };
    for (const auto& [name, dat, onlyDat4, signOfLife] : cases) {
        SensorHandshake::clearDatReceived();
        sensor.setOnlyDAT4(onlyDat4);
        const quint32 seen = sensor.goodCount() + sensor.badCount();
        pty->write(dat);
        ASSERT_TRUE(waitFor([&] { return sensor.goodCount() + sensor.badCount() > seen; }, 6000))
            << name;
        EXPECT_EQ(SensorHandshake::isDatReceived(), signOfLife) << name;
    }
}

TEST_F(SensorLine, OnlyAnEchoOfTheSameKindAnswersTheAwaitedCommand) {
    const QString cfg = QStringLiteral("$PNRVCFG,4,2,1,3,01,1110*00\r\n");
    const QString tst = QStringLiteral("$PNRVTST,4,3,+05.0,00,1000*00\r\n");
    const std::tuple<QString, QByteArray, bool> cases[] = {
        {cfg, kCfgEcho, true}, {cfg, kTstEcho, false}, {tst, kTstEcho, true}, {tst, kDat4, false}};
    for (const auto& [command, reply, answered] : cases) {
        SCOPED_TRACE(command.left(9).toStdString() + " answered by " + reply.left(9).toStdString());
        SensorHandshake::setMessageIsBeingSent();
        EXPECT_GT(sensor.sendMessage(command, false), 0);
        EXPECT_EQ(pty->read(500, "\n"), command.toLatin1());
        ASSERT_TRUE(sensor.isAwaitingAnswer());
        const quint32 seen = sensor.goodCount() + sensor.badCount();
        pty->write(reply);
        ASSERT_TRUE(waitFor([&] { return sensor.goodCount() + sensor.badCount() > seen; }, 6000));
        EXPECT_EQ(sensor.isAwaitingAnswer(), !answered);
        EXPECT_EQ(SensorHandshake::getMessageIsBeingSent(), !answered);
    }
}

// A cable adapter pulled and plugged in again: the sensor's sentences come in again without a
// restart of the unit.
TEST_F(SensorLine, ALineThatGoesAwayIsOpenedAgainWhenItIsBack) {
    pty.reset();
    ASSERT_TRUE(waitFor([&] { return !sensor.isWritable(); }, 6000)) << "the loss goes unseen";
    pty = std::make_unique<PseudoTerminal>(root.path("/dev/ttyS3"));
    ASSERT_TRUE(pty->isValid());
    ASSERT_TRUE(waitFor([&] { return sensor.isWritable(); }, 6000)) << "not opened again";
    pty->write(kDat4);
    ASSERT_TRUE(waitFor([&] { return !received.empty(); }, 6000));
    EXPECT_EQ(received.front(), QString::fromLatin1(kDat4));
}

TEST_F(SensorLine, RefusesUnsupportedRatesAndMissingDevices) {
    for (int rate : {0, 9600, 19200, 57600}) {
        EXPECT_FALSE(sensor.init(QStringLiteral("ttyS3"), rate, true)) << rate;
    }
    EXPECT_FALSE(sensor.init(QStringLiteral("ttyS4"), 4800, true)) << "no device";
    EXPECT_FALSE(sensor.isWritable());
}

TEST_F(SensorLine, SendingGateHoldsBackApplicationTrafficButNotForcedWrites) {
    SerialSensor::setBSendingFromApplicationEnabled(false);
    const QString command = QStringLiteral("$PNRVTST,4,2,+00.0,00,1000*00\r\n");
    EXPECT_EQ(sensor.sendMessage(command, false), 0);
    EXPECT_TRUE(sensor.isAwaitingAnswer()) << "the repeat is still set up";
    EXPECT_EQ(sensor.sendByteArray("forced", true), 6);
    EXPECT_EQ(pty->read(300), QByteArray("forced"));
    SerialSensor::setBSendingFromApplicationEnabled(true);
    sensor.close();
    EXPECT_EQ(sensor.sendByteArray("closed", true), 0);
}

TEST_F(SensorLine, MuteRequestIsRepeatedUntilTheSensorAnswers) {
    // name, mute or unmute, the request written, the sensor's answer
    const std::tuple<const char*, bool, QByteArray, QByteArray> cases[] = {
        {"mute", true, QByteArray("$\x13$"), QByteArray("x\x13y") + kDat4},
        {"unmute", false, QByteArray("$\x11$"), QByteArray("\x11")},
    };
    for (const auto& [name, mute, request, answer] : cases) {
        std::vector<bool> confirmed;
        const auto connection = QObject::connect(&sensor, &SerialSensor::sigSynchConfirmed,
                                                 [&](bool muted) { confirmed.push_back(muted); });
        received.clear();
        sensor.requestMute(mute);
        QByteArray written;
        ASSERT_TRUE(waitFor(
            [&] {
                written += pty->read(1);
                return written.count(request) >= 3;
            },
            2000))
            << name;
        pty->write(answer);
        ASSERT_TRUE(waitFor([&] { return !confirmed.empty(); }, 6000)) << name;
        EXPECT_EQ(confirmed, std::vector<bool>{mute}) << name;
        EXPECT_EQ(sensor.getMuteOn(), mute) << name;
        EXPECT_FALSE(sensor.getWaitForAck()) << name;
        spinFor(300);
        EXPECT_TRUE(pty->read(50).isEmpty()) << name << ": no request after the answer";
        EXPECT_TRUE(received.empty()) << name << ": the rest of the answering read is dropped";
        QObject::disconnect(connection);
    }
}

TEST_F(SensorLine, UnansweredMuteRequestStopsAfterTenWrites) {
    sensor.requestMute(true);
    spinFor(1500);
    EXPECT_EQ(pty->read(100).count(QByteArray("$\x13$")), SerialSensor::kMaxMuteWrites);
    EXPECT_TRUE(sensor.getWaitForAck());
}

} // namespace
