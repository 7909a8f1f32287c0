#include "casename.h"
#include "msghdt.h"
#include "msgrmc.h"
#include "msgrot.h"
#include "msgvtg.h"
#include "msgzda.h"
#include "navsentences.h"
#include "navsimulator.h"
#include "nmeaparser.h"
#include "rawpty.h"
#include "serialoutput.h"
#include "shipmotion.h"
#include "testroot.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <cctype>

#include <termios.h>
#include <unistd.h>

namespace {

const QDateTime kNoon(QDate(2026, 3, 5), QTime(12, 0, 0), Qt::UTC);

ShipState ship(double latitude, double longitude, double course, double speed,
               double rateOfTurn = 0.0) {
    return {latitude, longitude, course, speed, rateOfTurn, kNoon};
}

struct MotionCase {
    const char* name;
    ShipState start;
    double seconds;
    double latitude;
    double longitude;
    double course;
};
void PrintTo(const MotionCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class ShipMotionCases : public ::testing::TestWithParam<MotionCase> {};

TEST_P(ShipMotionCases, PositionFollowsCourseAndSpeed) {
    const MotionCase& c = GetParam();
    ShipMotion motion(c.start);
    motion.advance(c.seconds);
    // A hundredth of a minute of arc is about 18 m.
    EXPECT_NEAR(motion.state().latitude, c.latitude, 0.01 / 60.0);
    EXPECT_NEAR(motion.state().longitude, c.longitude, 0.01 / 60.0);
    EXPECT_NEAR(motion.state().course, c.course, 1e-9);
    EXPECT_EQ(motion.state().utc, kNoon.addMSecs(qRound64(c.seconds * 1000.0)));
}

// One hour at 6 knots is 6 nautical miles, a tenth of a degree of latitude; at 60 degrees north a
// degree of longitude is half as long.
INSTANTIATE_TEST_SUITE_P(
    NavSim, ShipMotionCases,
    ::testing::Values(
        MotionCase{"north", ship(10.0, 5.0, 0.0, 6.0), 3600.0, 10.1, 5.0, 0.0},
        MotionCase{"south", ship(10.0, 5.0, 180.0, 6.0), 3600.0, 9.9, 5.0, 180.0},
        MotionCase{"east at sixty north", ship(60.0, 5.0, 90.0, 6.0), 3600.0, 60.0, 5.2, 90.0},
        MotionCase{"west across the date line", ship(0.0, -179.95, 270.0, 6.0), 3600.0, 0.0, 179.95,
                   270.0},
        MotionCase{"stopped", ship(10.0, 5.0, 45.0, 0.0), 600.0, 10.0, 5.0, 45.0},
        MotionCase{"turning to starboard past north", ship(10.0, 5.0, 350.0, 0.0, 10.0), 120.0,
                   10.0, 5.0, 10.0},
        MotionCase{"turning to port past north", ship(10.0, 5.0, 5.0, 0.0, -10.0), 60.0, 10.0, 5.0,
                   355.0},
        // A half circle at 3 degrees a minute takes an hour; at 6 knots its diameter is
        // 6 / pi * 2 nautical miles, so the ship ends that far east of its start, heading south.
        MotionCase{"half circle", ship(0.0, 0.0, 0.0, 6.0, 3.0), 3600.0, 0.0, 12.0 / M_PI / 60.0,
                   180.0},
        MotionCase{"held short of the pole", ship(88.99, 5.0, 0.0, 30.0), 3600.0, 89.0, 5.0, 0.0}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

struct CoordinateCase {
    const char* name;
    double degrees;
    bool latitude;
    float value;
    const char* hemisphere;
};

TEST(NavSentences, PositionsAreDegreesAndMinutesWithTheHemisphere) {
    const CoordinateCase cases[] = {
        {"north", 59.5, true, 5930.00f, "N"},
        {"south", -33.925, true, 3355.50f, "S"},
        {"east", 10.7525, false, 1045.15f, "E"},
        {"west", -70.5, false, 7030.00f, "W"},
        {"minutes rounding up to a whole degree", 10.99999, true, 1100.00f, "N"},
        {"equator", 0.0, true, 0.0f, "N"},
    };
    for (const CoordinateCase& c : cases) {
        const NavSentences::Coordinate coordinate =
            c.latitude ? NavSentences::latitude(c.degrees) : NavSentences::longitude(c.degrees);
        EXPECT_NEAR(coordinate.value, c.value, 0.001) << c.name;
        EXPECT_EQ(coordinate.hemisphere, QLatin1String(c.hemisphere)) << c.name;
    }
}

template <class M> std::unique_ptr<M> parsed(const QByteArray& sentence, const char* talker) {
    std::unique_ptr<NmeaMessage> message = NmeaParser::parse(QString::fromLatin1(sentence));
    EXPECT_EQ(message->errorType(), NO_ERROR) << sentence.constData();
    EXPECT_EQ(message->talkerId(), QLatin1String(talker)) << sentence.constData();
    EXPECT_TRUE(sentence.endsWith("\r\n")) << sentence.constData();
    M* typed = dynamic_cast<M*>(message.get());
    EXPECT_NE(typed, nullptr) << sentence.constData();
    if (typed == nullptr) {
        return nullptr;
    }
    message.release();
    return std::unique_ptr<M>(typed);
}

struct SentenceCase {
    const char* name;
    ShipState ship;
    const char* rmcLatitude;
    const char* rmcLongitude;
    float course;
};

TEST(NavSentences, EachSentenceParsesBackToTheShip) {
    const SentenceCase cases[] = {
        {"north-east", ship(59.5, 10.7525, 45.0, 12.0, 3.5), "N", "E", 45.0f},
        {"south-west", ship(-33.925, -70.5, 200.0, 7.4, -12.0), "S", "W", 200.0f},
        {"course just short of north", ship(1.0, 1.0, 359.97, 0.0), "N", "E", 0.0f},
    };
    for (const SentenceCase& c : cases) {
        SCOPED_TRACE(c.name);
        const NavSentences::Coordinate lat = NavSentences::latitude(c.ship.latitude);
        const NavSentences::Coordinate lon = NavSentences::longitude(c.ship.longitude);

        const auto rmc = parsed<MsgRMC>(NavSentences::rmc(c.ship), "GP");
        ASSERT_TRUE(rmc);
        EXPECT_EQ(rmc->time(), QLatin1String("120000.00"));
        EXPECT_EQ(rmc->status(), QLatin1String("A"));
        EXPECT_NEAR(rmc->latitude(), lat.value, 0.006);
        EXPECT_EQ(rmc->northOrSouth(), QLatin1String(c.rmcLatitude));
        EXPECT_NEAR(rmc->longitude(), lon.value, 0.006);
        EXPECT_EQ(rmc->eastOrWest(), QLatin1String(c.rmcLongitude));
        EXPECT_NEAR(rmc->speedOverGround(), c.ship.speed, 0.05);
        EXPECT_NEAR(rmc->courseOverGround(), c.course, 0.05);
        EXPECT_EQ(rmc->date(), QLatin1String("050326"));
        EXPECT_EQ(rmc->modeIndicator(), QLatin1String("A"));

        const auto vtg = parsed<MsgVTG>(NavSentences::vtg(c.ship), "GP");
        ASSERT_TRUE(vtg);
        EXPECT_NEAR(vtg->trackDegresTrue(), c.course, 0.05);
        EXPECT_NEAR(vtg->speedKnots(), c.ship.speed, 0.05);
        EXPECT_NEAR(vtg->speedKilometers(), c.ship.speed * 1.852, 0.05);
        EXPECT_EQ(vtg->knots() + vtg->kilometers(), QLatin1String("NK"));

        const auto hdt = parsed<MsgHDT>(NavSentences::hdt(c.ship), "HE");
        ASSERT_TRUE(hdt);
        EXPECT_NEAR(hdt->headingDegrees(), c.course, 0.05);
        EXPECT_EQ(hdt->statusTrue(), QLatin1String("T"));

        const auto rot = parsed<MsgROT>(NavSentences::rot(c.ship), "HE");
        ASSERT_TRUE(rot);
        EXPECT_NEAR(rot->rateOfTurn(), c.ship.rateOfTurn, 0.05);
        EXPECT_EQ(rot->status(), QLatin1String("A"));

        const auto zda = parsed<MsgZDA>(NavSentences::zda(c.ship), "GP");
        ASSERT_TRUE(zda);
        EXPECT_EQ(zda->time(), QLatin1String("120000.00"));
        EXPECT_EQ(QDate(zda->year(), zda->month(), zda->day()), kNoon.date());
    }
}

TEST(NavSentences, ZdaWritesTwoDigitDayAndMonth) {
    EXPECT_TRUE(
        NavSentences::zda(ship(0.0, 0.0, 0.0, 0.0)).startsWith("$GPZDA,120000.00,05,03,2026,"));
}

struct BaudCase {
    const char* name;
    int baud;
    speed_t expected;
};

TEST(SerialOutput, SetsTheLineToTheBaudRateAndWritesToIt) {
    const BaudCase cases[] = {
        {"NMEA default", 4800, B4800},
        {"high speed", 38400, B38400},
    };
    for (const BaudCase& c : cases) {
        TestRoot root;
        RawPty line;
        ASSERT_TRUE(line.open(root.path("/dev/ttyS1"), true)) << c.name;
        SerialOutput output;
        ASSERT_TRUE(output.open(root.path("/dev/ttyS1"), c.baud)) << c.name;
        termios settings{};
        ASSERT_EQ(::tcgetattr(line.master(), &settings), 0);
        EXPECT_EQ(::cfgetospeed(&settings), c.expected) << c.name;

        EXPECT_EQ(output.write("$HEHDT,1.0,T*2F\r\n"), 17) << c.name;
        char buffer[64] = {};
        EXPECT_TRUE(waitFor([&] { return ::read(line.master(), buffer, sizeof buffer) == 17; }))
            << c.name;
    }
}

struct RefusedCase {
    const char* name;
    const char* path;
    int baud;
};

TEST(SerialOutput, RefusesWhatNoSerialPortOffers) {
    TestRoot root;
    const RefusedCase cases[] = {
        {"missing device", "/dev/ttyS9", 4800},
        {"odd baud rate", "-", 4700},
        {"no baud rate", "-", 0},
    };
    for (const RefusedCase& c : cases) {
        SerialOutput output;
        QString error;
        EXPECT_FALSE(
            output.open(c.path[0] == '-' ? QString("-") : root.path(c.path), c.baud, &error))
            << c.name;
        EXPECT_FALSE(error.isEmpty()) << c.name;
        EXPECT_EQ(output.write("x"), -1) << c.name;
    }
}

TEST(NavSimulator, SendsTheFiveSentencesAtOnceAndMovesTheShip) {
    TestRoot root;
    RawPty line;
    ASSERT_TRUE(line.open(root.path("/dev/ttyS1"), true));
    SerialOutput output;
    ASSERT_TRUE(output.open(root.path("/dev/ttyS1"), 4800));
    NavSimulator simulator(ship(10.0, 5.0, 0.0, 3600.0 * 60.0 / 100.0), output);
    QList<QByteArray> bursts;
    QObject::connect(&simulator, &NavSimulator::sent,
                     [&](const QByteArray& burst) { bursts << burst; });

    simulator.start();
    ASSERT_TRUE(waitFor([&] { return bursts.size() >= 2; }, 5000));
    const QList<QByteArray> first = bursts.first().split('\n');
    ASSERT_EQ(first.size(), 6); // five lines and the empty rest after the last line feed
    EXPECT_TRUE(first[0].startsWith("$GPRMC"));
    EXPECT_TRUE(first[1].startsWith("$GPVTG"));
    EXPECT_TRUE(first[2].startsWith("$HEHDT"));
    EXPECT_TRUE(first[3].startsWith("$HEROT"));
    EXPECT_TRUE(first[4].startsWith("$GPZDA"));
    // At 2160 knots, a hundredth of a degree (0.6 minutes) of latitude every second.
    EXPECT_GT(simulator.ship().latitude, 10.009);
    QByteArray onLine;
    char buffer[1024];
    ssize_t n;
    while ((n = ::read(line.master(), buffer, sizeof buffer)) > 0) {
        onLine.append(buffer, n);
    }
    EXPECT_TRUE(onLine.startsWith(bursts.first()));
}

} // namespace
