#include "navsentences.h"
#include "navsimulator.h"
#include "nmeamessage.h"
#include "nmeaparser.h"
#include "rawpty.h"
#include "serialoutput.h"
#include "shipmotion.h"
#include "testroot.h"
#include "waitfor.h"

#include <gtest/gtest.h>

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

// One hour at 6 knots is 6 nautical miles, a tenth of a degree of latitude; at 60 degrees north a
// degree of longitude is half as long.
TEST(ShipMotion, PositionFollowsCourseAndSpeed) {
    const MotionCase cases[] = {
        {"north", ship(10.0, 5.0, 0.0, 6.0), 3600.0, 10.1, 5.0, 0.0},
        {"east at sixty north", ship(60.0, 5.0, 90.0, 6.0), 3600.0, 60.0, 5.2, 90.0},
        {"west across the date line", ship(0.0, -179.95, 270.0, 6.0), 3600.0, 0.0, 179.95, 270.0},
        {"turning past north", ship(10.0, 5.0, 350.0, 0.0, 10.0), 120.0, 10.0, 5.0, 10.0},
        // A half circle at 3 degrees a minute takes an hour; at 6 knots its diameter is
        // 6 / pi * 2 nautical miles, so the ship ends that far east of its start, heading south.
        {"half circle", ship(0.0, 0.0, 0.0, 6.0, 3.0), 3600.0, 0.0, 12.0 / M_PI / 60.0, 180.0},
        {"held short of the pole", ship(88.99, 5.0, 0.0, 30.0), 3600.0, 89.0, 5.0, 0.0},
    };
    for (const MotionCase& c : cases) {
        ShipMotion motion(c.start);
        motion.advance(c.seconds);
        // A hundredth of a minute of arc is about 18 m.
        EXPECT_NEAR(motion.state().latitude, c.latitude, 0.01 / 60.0) << c.name;
        EXPECT_NEAR(motion.state().longitude, c.longitude, 0.01 / 60.0) << c.name;
        EXPECT_NEAR(motion.state().course, c.course, 1e-9) << c.name;
        EXPECT_EQ(motion.state().utc, kNoon.addMSecs(qRound64(c.seconds * 1000.0))) << c.name;
    }
}

// Two legs of 0.1 nm at 6 kn take a minute each: out north, back south to the start, then still.
TEST(ShipMotion, LegsOfASeaTestTurnBackAndEndWhereTheyBegan) {
    struct LegCase {
        double seconds;
        int leg;
        double course;
        double speed;
        double northNm;
    };
    const LegCase cases[] = {
        {30.0, 1, 0.0, 6.0, 0.05},   {59.9, 1, 0.0, 6.0, 6.0 * 59.9 / 3600.0},
        {60.0, 2, 180.0, 6.0, 0.1},  {90.5, 2, 180.0, 6.0, 0.1 - 6.0 * 30.5 / 3600.0},
        {150.0, 0, 180.0, 0.0, 0.0},
    };
    for (const LegCase& c : cases) {
        ShipMotion motion(ship(0.0, 0.0, 0.0, 6.0));
        motion.sailLegs(0.1, 2);
        // Uneven steps, as the timer delivers them.
        for (double t = 0.0; t < c.seconds;) {
            const double dt = std::min(0.7, c.seconds - t);
            motion.advance(dt);
            t += dt;
        }
        EXPECT_EQ(motion.leg(), c.leg) << c.seconds;
        EXPECT_NEAR(motion.state().course, c.course, 1e-9) << c.seconds;
        EXPECT_DOUBLE_EQ(motion.state().speed, c.speed) << c.seconds;
        EXPECT_NEAR(motion.state().latitude * 60.0, c.northNm, 1e-6) << c.seconds;
    }
}

// A sentence as a receiver writes it: "$", body, checksum, CR LF.
QByteArray sentence(const char* body) {
    return NmeaMessage::addCrcToMsgBuffer(QLatin1String(body)).toLatin1();
}

struct SentenceCase {
    const char* name;
    QByteArray sent;
    const char* expected; // without "$" and checksum
};

// Positions are degrees and minutes to hundredths with the hemisphere letter, directions have one
// decimal, and the unit reads every sentence without complaint.
TEST(NavSentences, DescribeTheShipAsReceiversDo) {
    const ShipState northEast = ship(59.5, 10.7525, 45.0, 12.0, 3.5);
    const ShipState southWest = ship(-33.925, -70.5, 200.0, 7.4, -12.0);
    const SentenceCase cases[] = {
        {"RMC north-east", NavSentences::rmc(northEast),
         "GPRMC,120000.00,A,5930.00,N,1045.15,E,12.0,45.0,050326,,,A,S"},
        {"RMC south-west", NavSentences::rmc(southWest),
         "GPRMC,120000.00,A,3355.50,S,7030.00,W,7.4,200.0,050326,,,A,S"},
        {"RMC minutes rounding up to a whole degree",
         NavSentences::rmc(ship(10.99999, 0.0, 0.0, 0.0)),
         "GPRMC,120000.00,A,1100.00,N,0.00,E,0.0,0.0,050326,,,A,S"},
        {"VTG", NavSentences::vtg(southWest), "GPVTG,200.0,T,,M,7.4,N,13.7,K,A"},
        {"HDT", NavSentences::hdt(southWest), "HEHDT,200.0,T"},
        {"HDT just short of north", NavSentences::hdt(ship(1.0, 1.0, 359.97, 0.0)), "HEHDT,0.0,T"},
        {"ROT", NavSentences::rot(southWest), "HEROT,-12.0,A"},
        {"ZDA", NavSentences::zda(northEast), "GPZDA,120000.00,05,03,2026,00,00"},
    };
    for (const SentenceCase& c : cases) {
        EXPECT_EQ(c.sent, sentence(c.expected)) << c.name;
        EXPECT_EQ(NmeaParser::parse(QString::fromLatin1(c.sent))->errorType(), NO_ERROR) << c.name;
    }
}

TEST(NavSimulator, WritesBurstsOfFiveSentencesToTheLineAndMovesTheShip) {
    TestRoot root;
    RawPty line;
    ASSERT_TRUE(line.open(root.path("/dev/ttyS1"), true));
    SerialOutput output;
    ASSERT_TRUE(output.open(root.path("/dev/ttyS1"), 38400));
    termios settings{};
    ASSERT_EQ(::tcgetattr(line.master(), &settings), 0);
    EXPECT_EQ(::cfgetospeed(&settings), speed_t{B38400}) << "not the line's first rate, 4800";
    NavSimulator simulator(ship(10.0, 5.0, 0.0, 3600.0 * 60.0 / 100.0), output);
    QList<QByteArray> bursts;
    QObject::connect(&simulator, &NavSimulator::sent,
                     [&](const QByteArray& burst) { bursts << burst; });

    simulator.start();
    ASSERT_TRUE(waitFor([&] { return bursts.size() >= 2; }, 5000));
    QByteArrayList kinds;
    for (const QByteArray& text : bursts.first().split('\n')) {
        kinds << text.left(6);
    }
    EXPECT_EQ(kinds, QByteArrayList({"$GPRMC", "$GPVTG", "$HEHDT", "$HEROT", "$GPZDA", ""}));
    // At 2160 knots, a hundredth of a degree (0.6 minutes) of latitude every second.
    EXPECT_GT(simulator.ship().latitude, 10.009);
    char buffer[4096];
    const ssize_t n = ::read(line.master(), buffer, sizeof buffer);
    EXPECT_TRUE(QByteArray(buffer, std::max<ssize_t>(n, 0)).startsWith(bursts.first()));
}

} // namespace
