#include "nmeamessage.h"
#include "shipspeeds.h"
#include "testroot.h"
#include "vq2simulator.h"
#include "waitfor.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

// The unit's end of the line, opened on the simulator's link like a serial port.
class UnitEnd {
public:
    explicit UnitEnd(const QString& path)
        : m_fd(::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
    ~UnitEnd() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    void write(const QByteArray& bytes) {
        [[maybe_unused]] const ssize_t n = ::write(m_fd, bytes.constData(), bytes.size());
    }
    // Runs the event loop (the simulator's) while collecting what arrives.
    QByteArray read(int ms, const QByteArray& until = QByteArray()) {
        QByteArray got;
        waitFor(
            [&] {
                char chunk[4096];
                const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
                if (n > 0) {
                    got.append(chunk, n);
                }
                return !until.isEmpty() && got.contains(until);
            },
            ms);
        return got;
    }

private:
    const int m_fd;
};

QByteArray sentence(const char* body) {
    return NmeaMessage::addCrcToMsgBuffer(QString::fromLatin1(body)).toLatin1();
}

class Simulator : public ::testing::Test {
protected:
    void start(const Scenario& scenario = Scenario(), const QString& record = QString()) {
        sim = std::make_unique<Vq2Simulator>(scenario);
        ASSERT_TRUE(record.isEmpty() || sim->setRecordFile(record));
        ASSERT_TRUE(sim->open(link()));
        unit = std::make_unique<UnitEnd>(link());
        ASSERT_TRUE(waitFor([this] { return sim->sessions() == 1; }, 1000));
    }
    QString link() const { return root.path("/dev/ttyS3"); }

    TestRoot root;
    std::unique_ptr<Vq2Simulator> sim;
    std::unique_ptr<UnitEnd> unit;
};

struct AnswerCase {
    const char* name;
    Scenario scenario;
    QByteArray command; // what the unit writes, if anything
    QByteArray answer;  // what the sensor sends within two ping cycles
};

// A stuck sensor's DAT4 and DAT5: what its beams see of 3 kn through 12.5 degree water (a beam
// angle near 30 degrees), ground speeds equal to the water speeds, the slant ranges to a bottom
// 25 m and 25.5 m below.
const QByteArray kStuckDat4 =
    sentence("PNRVDAT,4,+3.0,8,+0.0,8,+17.5,0,0,0,+3.0,9,+0.0,9,27.6,28.2");
const QByteArray kStuckDat5 = sentence("PNRVDAT,5,+3.0,8,+0.0,8,+17.5,0,0,0");
const QByteArray kTest = sentence("PNRVTST,4,3,+02.5,00,1000");

// A sensor of this firmware (214: single frequency, 305: dual) whose water speed starts at 3 kn.
Scenario sensor(int firmware, bool stuck = false) {
    Scenario scenario;
    scenario.firmware = firmware;
    scenario.stwLong = Ramp{3.0, 1.0};
    scenario.faults.stuck = stuck;
    return scenario;
}

TEST_F(Simulator, AnswersAsTheSensorDoes) {
    const QByteArray identify = sentence("PNRVSNF,1,");
    const AnswerCase cases[] = {
        {"DAT5 right after each DAT4 from a dual-frequency sensor",
         sensor(305, true),
         {},
         kStuckDat4 + kStuckDat5 + kStuckDat4},
        {"DAT4 alone from a single-frequency sensor",
         sensor(214, true),
         {},
         kStuckDat4 + kStuckDat4},
        {"identity, single frequency", sensor(214), identify,
         sentence("PNRVSNF,4,2-117,A9,214,C1,C1,0.0,1.0,LOW")},
        {"identity, dual frequency", sensor(305), identify,
         sentence("PNRVSNF,4,2-117,A9,305,C1,C2,0.0,1.0,HI")},
        {"CFG echoed with ten fields", sensor(305), sentence("PNRVCFG,4,2,1,3,01,1110"),
         sentence("PNRVCFG,4,2,1,3,01,1110,3,3,15,0")},
        {"TST echoed as sent", sensor(305), kTest, kTest},
        {"the speed test's fixed speed", sensor(305), kTest, "$PNRVDAT,4,+2.5,"},
    };
    for (const AnswerCase& c : cases) {
        start(c.scenario);
        unit->write(c.command);
        EXPECT_TRUE(unit->read(1300, c.answer).contains(c.answer)) << c.name;
    }
}

// Following the ship, the sensor measures the speeds the navigation simulator leaves; without
// them, the scenario's.
TEST_F(Simulator, FollowsTheShipWhileItsSpeedsCanBeRead) {
    const QString shipFile = root.path("/ship.json");
    Scenario scenario = sensor(305, true);
    start(scenario);
    sim->followShip(shipFile);
    EXPECT_TRUE(unit->read(1300, kStuckDat4).contains(kStuckDat4)) << "no ship yet";
    ASSERT_TRUE((ShipSpeeds{6.0, 0.0, 6.0, 0.0}.write(shipFile)));
    const QByteArray following("$PNRVDAT,4,+6.0,8,+0.0,8,+17.5,0,0,0,+6.0,9,+0.0,9,");
    EXPECT_TRUE(unit->read(1300, following).contains(following));
}

// The unit's side of a mute is recorded with the rest of what the sensor receives.
TEST_F(Simulator, MuteBytesAreAnsweredRecordedAndStopTheData) {
    start(Scenario(), root.path("/record.jsonl"));
    unit->write(QByteArray("$\x13$"));
    EXPECT_TRUE(unit->read(500, "\x13").contains('\x13'));
    const QJsonObject line = QJsonDocument::fromJson(root.readFile("/record.jsonl")).object();
    EXPECT_EQ(line.value(QStringLiteral("hex")).toString(), QStringLiteral("241324"));
    EXPECT_EQ(line.value(QStringLiteral("baud")).toInt(), 4800);
    EXPECT_GT(line.value(QStringLiteral("t")).toDouble(), 0.0);
    unit->read(100);
    EXPECT_FALSE(unit->read(700).contains("$PNRVDAT")) << "muted";
    unit->write(QByteArray("$\x11$"));
    EXPECT_TRUE(unit->read(1000, "$PNRVDAT").contains("$PNRVDAT")) << "resumed";
}

TEST_F(Simulator, ReloadSilencesTheSensorForASecond) {
    start();
    unit->read(300);
    unit->write(QByteArray("$PNRVFIRM") + '\0' + "\r\n");
    unit->read(50);
    EXPECT_FALSE(unit->read(700).contains("$PNRVDAT"));
    EXPECT_TRUE(unit->read(1000, "$PNRVDAT").contains("$PNRVDAT"));
}

TEST_F(Simulator, NothingIsWrittenWhileTheLineIsClosed) {
    start();
    unit.reset();
    ASSERT_TRUE(waitFor([this] { return !sim->isLineOpen(); }, 1000));
    spinFor(800);
    unit = std::make_unique<UnitEnd>(link());
    ASSERT_TRUE(waitFor([this] { return sim->sessions() == 2; }, 1000));
    const QByteArray first = unit->read(600, "\n");
    EXPECT_TRUE(first.startsWith("$PNRVDAT,4,")) << first.constData();
    EXPECT_EQ(first.count("$PNRVDAT,4,"), 1) << "one ping cycle, nothing held back";
}

} // namespace
