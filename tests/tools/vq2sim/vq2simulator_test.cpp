#include "nmeamessage.h"
#include "testroot.h"
#include "vq2simulator.h"
#include "waitfor.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

// The unit's end of the line, opened on the simulator's link like a serial port.
class UnitEnd {
public:
    explicit UnitEnd(const QString& path, speed_t speed = B4800) {
        m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios settings{};
        ::tcgetattr(m_fd, &settings);
        ::cfmakeraw(&settings);
        ::cfsetspeed(&settings, speed);
        ::tcsetattr(m_fd, TCSANOW, &settings);
    }
    ~UnitEnd() { close(); }
    void close() {
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    bool isOpen() const { return m_fd >= 0; }
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
    int m_fd = -1;
};

QByteArray sentence(const char* body) {
    return NmeaMessage::addCrcToMsgBuffer(QString::fromLatin1(body)).toLatin1();
}

class Simulator : public ::testing::Test {
protected:
    void start(const Scenario& scenario = Scenario()) {
        sim = std::make_unique<Vq2Simulator>(scenario);
        ASSERT_TRUE(sim->open(link()));
        unit = std::make_unique<UnitEnd>(link());
        ASSERT_TRUE(unit->isOpen());
        ASSERT_TRUE(waitFor([this] { return sim->sessions() == 1; }, 1000));
    }
    QString link() const { return root.path("/dev/ttyS3"); }

    TestRoot root;
    std::unique_ptr<Vq2Simulator> sim;
    std::unique_ptr<UnitEnd> unit;
};

struct FirmwareCase {
    int firmware;
    bool dat5;
};

TEST_F(Simulator, FirmwareDecidesWhetherDat5IsSent) {
    const FirmwareCase cases[] = {{214, false}, {305, true}, {410, true}};
    for (const FirmwareCase& c : cases) {
        Scenario scenario;
        scenario.firmware = c.firmware;
        start(scenario);
        const QByteArray stream = unit->read(1300);
        EXPECT_GE(stream.count("$PNRVDAT,4,"), 2) << c.firmware;
        EXPECT_EQ(stream.count("$PNRVDAT,5,") >= 2, c.dat5) << c.firmware;
        unit->write(sentence("PNRVSNF,1,"));
        const QByteArray answer = unit->read(1000, "SNF");
        EXPECT_TRUE(answer.contains(",A9," + QByteArray::number(c.firmware) + ",")) << c.firmware;
        unit.reset();
        sim.reset();
    }
}

struct EchoCase {
    const char* name;
    QByteArray command;
    QByteArray echo;
};

TEST_F(Simulator, CommandsAreEchoedInTheSensorsLongForm) {
    start();
    const EchoCase cases[] = {
        {"CFG with ten fields", sentence("PNRVCFG,4,2,1,3,01,1110"),
         sentence("PNRVCFG,4,2,1,3,01,1110,3,3,15,0")},
        {"TST as sent", sentence("PNRVTST,4,3,+02.5,00,1000"),
         sentence("PNRVTST,4,3,+02.5,00,1000")},
    };
    for (const EchoCase& c : cases) {
        unit->write(c.command);
        EXPECT_TRUE(unit->read(1500, c.echo).contains(c.echo)) << c.name;
    }
    EXPECT_TRUE(sim->isTestOn());
    EXPECT_TRUE(unit->read(800, "$PNRVDAT,4,+2.5,").contains("$PNRVDAT,4,+2.5,"))
        << "fixed test speed";
}

TEST_F(Simulator, MuteBytesAreAnsweredAndStopTheData) {
    start();
    unit->write(QByteArray("$\x13$"));
    EXPECT_TRUE(unit->read(500, "\x13").contains('\x13'));
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
    unit->close();
    ASSERT_TRUE(waitFor([this] { return !sim->isLineOpen(); }, 1000));
    spinFor(800);
    unit = std::make_unique<UnitEnd>(link());
    ASSERT_TRUE(waitFor([this] { return sim->sessions() == 2; }, 1000));
    const QByteArray first = unit->read(600, "\n");
    EXPECT_TRUE(first.startsWith("$PNRVDAT,4,")) << first.constData();
    EXPECT_EQ(first.count("$PNRVDAT,4,"), 1) << "one ping cycle, nothing held back";
}

TEST_F(Simulator, RecordsWhatItReceivesAsJsonLines) {
    Scenario scenario;
    sim = std::make_unique<Vq2Simulator>(scenario);
    const QString record = root.path("/record.jsonl");
    ASSERT_TRUE(sim->setRecordFile(record));
    ASSERT_TRUE(sim->open(link()));
    unit = std::make_unique<UnitEnd>(link());
    ASSERT_TRUE(waitFor([this] { return sim->sessions() == 1; }, 1000));
    unit->write(QByteArray("$\x13$"));
    ASSERT_TRUE(waitFor([this] { return sim->isMuted(); }, 1000));
    QFile file(record);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject line = QJsonDocument::fromJson(file.readLine()).object();
    EXPECT_EQ(line.value(QStringLiteral("hex")).toString(), QStringLiteral("241324"));
    EXPECT_EQ(line.value(QStringLiteral("baud")).toInt(), 4800);
    EXPECT_GT(line.value(QStringLiteral("t")).toDouble(), 0.0);
}

TEST_F(Simulator, StuckScenarioSendsIdenticalWaterAndGroundSpeeds) {
    Scenario scenario;
    scenario.faults.stuck = true;
    scenario.stwLong = Ramp{3.0, 1.0};
    start(scenario);
    const QByteArray stream = unit->read(1300);
    const QList<QByteArray> lines = stream.split('\n');
    int dat4 = 0;
    for (const QByteArray& line : lines) {
        if (!line.startsWith("$PNRVDAT,4,")) {
            continue;
        }
        const QList<QByteArray> f = line.split(',');
        ASSERT_GE(f.size(), 13);
        EXPECT_EQ(f[2], "+3.0");
        EXPECT_EQ(f[2], f[10]);
        EXPECT_EQ(f[4], f[12]);
        ++dat4;
    }
    EXPECT_GE(dat4, 2);
}

} // namespace
