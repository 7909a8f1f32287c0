// Simulated speeds, the alarm test and demo playback asked for by the ship's equipment and the
// display, judged by what the unit sends on Nmea_1 and to its sensor.
#include "displayrun.h"
#include "msgalf.h"
#include "msgdpt.h"
#include "msgvbw.h"
#include "msgvhw.h"
#include "msgvlw.h"

#include <cmath>
#include <set>

#include <gtest/gtest.h>

namespace {

template <class Sentence> std::shared_ptr<Sentence> as(const HeardSentence& heard) {
    return std::dynamic_pointer_cast<Sentence>(heard.parsed());
}

bool near(float value, double expected, double tolerance = 0.05) {
    return NmeaParser::isNumberValidFloat(value) && std::fabs(value - expected) <= tolerance;
}

class SimulationRun : public DisplayRun {
protected:
    SimulationRun() : DisplayRun(kRcom) {}

    // Equipment on Nmea_1 sets a property of the unit ("VD0101"): 1000 the simulation
    // (0 off, 1 sensor, 2 junction box, 3 GPS, 4 demo), 1001 and 1002 the fixed speeds.
    void setProperty(int property, const QString& value) {
        sendOnNmea1(QStringLiteral("IIEPV,C,VD,0101,%1,%2").arg(property).arg(value));
    }

    // A VBW heard from `fromMs` on whose speed through the water, status A, satisfies `test`.
    bool waterSpeedHeard(qint64 fromMs, const std::function<bool(float)>& test) const {
        for (const HeardSentence& heard : nmea1Heard.ofType("VBW", fromMs)) {
            const auto vbw = as<MsgVBW>(heard);
            if (vbw && vbw->statusWaterSpeed() == QLatin1String("A") &&
                test(vbw->longitudinalWaterSpeed())) {
                return true;
            }
        }
        return false;
    }
    bool waitForWaterSpeed(const std::function<bool(float)>& test, int timeoutMs) {
        const qint64 from = clock.elapsed();
        return listenUntil([&] { return waterSpeedHeard(from, test); }, timeoutMs);
    }
    // The sensor's own speed: valid and not the simulated one.
    bool waitForSensorSpeed(double simulated) {
        return waitForWaterSpeed([simulated](float v) { return !near(v, simulated, 0.5); }, 25000);
    }
};

// Junction-box and GPS simulation stand in for the sensor in every output for as long as they
// last; leaving them brings the sensor's speeds back.
TEST_F(SimulationRun, SimulatedSpeedsFillEveryOutputUntilTheSensorIsBack) {
    struct Case {
        const char* mode;
        const char* property;
        double knots;
        bool depth; // the simulated depth 16 of the list, 155.5 m
    };
    const Case cases[] = {{"junction box", "2", 10.0, true}, {"GPS", "3", 8.0, false}};

    start();
    ASSERT_TRUE(joined());
    ASSERT_TRUE(waitForSensorSpeed(10.0)) << unit.log().constData();
    setProperty(1001, QStringLiteral("10.0"));
    setProperty(1002, QStringLiteral("0.0"));
    everySecond = [this] { sendGps(8.0, 90.0); };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        setProperty(1000, QLatin1String(c.property));
        ASSERT_TRUE(waitForWaterSpeed([&](float v) { return near(v, c.knots); }, 2500))
            << unit.log().constData();
        const qint64 from = clock.elapsed();
        // Longer than the ten seconds in which unrefreshed values go empty.
        listenFor(13000);
        const std::vector<HeardSentence> vbws = nmea1Heard.ofType("VBW", from);
        ASSERT_GE(vbws.size(), 11u);
        for (const HeardSentence& heard : vbws) {
            const auto vbw = as<MsgVBW>(heard);
            ASSERT_TRUE(vbw) << heard.text.constData();
            EXPECT_TRUE(near(vbw->longitudinalWaterSpeed(), c.knots)) << heard.text.constData();
            EXPECT_EQ(vbw->statusWaterSpeed(), QLatin1String("A")) << heard.text.constData();
            EXPECT_TRUE(near(vbw->longitudinalGroundSpeed(), c.knots)) << heard.text.constData();
            EXPECT_EQ(vbw->statusGroundSpeed(), QLatin1String("A")) << heard.text.constData();
        }
        const auto dpt = as<MsgDPT>(nmea1Heard.ofType("DPT", from).back());
        ASSERT_TRUE(dpt);
        EXPECT_EQ(near(dpt->waterDepth(), 155.5), c.depth) << dpt->getMsgBuffer().toStdString();
        const auto vlw = as<MsgVLW>(nmea1Heard.ofType("VLW", from).back());
        ASSERT_TRUE(vlw);
        EXPECT_EQ(vlw->totCumulativeWaterDist(), 999999.0f);

        setProperty(1000, QStringLiteral("0"));
        EXPECT_TRUE(waitForSensorSpeed(c.knots)) << unit.log().constData();
    }
}

// The sensor is told to simulate: it answers with the fixed speed, the display hears the
// simulation confirmed, and the stop sets the sensor measuring again.
TEST_F(SimulationRun, TheSensorSimulatesTheFixedSpeedUntilStopped) {
    start();
    ASSERT_TRUE(joined());
    ASSERT_TRUE(waitForSensorSpeed(10.0)) << unit.log().constData();
    const qsizetype before = lan.heard.size();
    setProperty(1001, QStringLiteral("10.0"));
    setProperty(1002, QStringLiteral("0.0"));
    setProperty(1000, QStringLiteral("1"));

    EXPECT_TRUE(listenUntil([&] { return sensor.isTestOn(); }, 15000)) << unit.log().constData();
    EXPECT_TRUE(waitForWaterSpeed([](float v) { return near(v, 10.0, 0.15); }, 15000))
        << unit.log().constData();
    EXPECT_TRUE(waitForLan(QStringLiteral("$PNRVICM,1,7,1,0,0,1000,0,2,"), 1000, before));

    setProperty(1000, QStringLiteral("0"));
    EXPECT_TRUE(listenUntil([&] { return !sensor.isTestOn(); }, 10000)) << unit.log().constData();
    EXPECT_TRUE(waitForSensorSpeed(10.0)) << unit.log().constData();
}

// The display's alarm test raises every speed alert on the alert sentences and clears them.
TEST_F(SimulationRun, TheAlarmTestRaisesEachSpeedAlertAndClearsThem) {
    const auto alertsIn = [this](qint64 from, const char* state) {
        std::set<quint32> instances;
        for (const HeardSentence& heard : nmea1Heard.ofType("ALF", from)) {
            const auto alf = as<MsgALF>(heard);
            if (alf && alf->alertIdentifier() == 3032 &&
                alf->alertState() == QLatin1String(state)) {
                instances.insert(alf->alertInstance());
            }
        }
        return instances;
    };
    const std::set<quint32> speedAlerts{1, 2, 3, 4};

    start();
    ASSERT_TRUE(joined());
    const qint64 testAt = clock.elapsed();
    sendOnLan(QStringLiteral("PNRVICM,1,7,0,1,0,100,100,1,0,16,0"));
    EXPECT_TRUE(listenUntil([&] { return alertsIn(testAt, "V") == speedAlerts; }, 5000))
        << unit.log().constData();

    const qint64 stopAt = clock.elapsed();
    sendOnLan(QStringLiteral("PNRVICM,1,7,0,0,0,100,100,1,0,16,0"));
    EXPECT_TRUE(listenUntil([&] { return alertsIn(stopAt, "N") == speedAlerts; }, 5000))
        << unit.log().constData();
}

class DemoRun : public SimulationRun {
protected:
    static constexpr int kLines = 50;
    static constexpr double kFirstHeading = 100.0;

    // Fifty headings, one degree apart, as a demonstration file in the application folder.
    DemoRun() {
        QByteArray demo;
        for (int i = 0; i < kLines; ++i) {
            demo += "$HEHDT," + QByteArray::number(kFirstHeading + i, 'f', 1) + ",T\r\n";
        }
        root.writeFile(QStringLiteral("/opt/demo_data.txt"), demo);
    }

    // The headings sent in VHW from `fromMs` on, in order, with when they were heard.
    std::vector<std::pair<qint64, float>> headings(qint64 fromMs) const {
        std::vector<std::pair<qint64, float>> found;
        for (const HeardSentence& heard : nmea1Heard.ofType("VHW", fromMs)) {
            const auto vhw = as<MsgVHW>(heard);
            if (vhw && NmeaParser::isNumberValidFloat(vhw->degressTrue())) {
                found.emplace_back(heard.atMs, vhw->degressTrue());
            }
        }
        return found;
    }
};

// A demonstration plays its lines five a second, in order, round and round, in place of the
// sensor; stopping it brings the sensor back.
TEST_F(DemoRun, TheDemonstrationPlaysItsLinesInOrderUntilStopped) {
    start();
    ASSERT_TRUE(joined());
    ASSERT_TRUE(waitForSensorSpeed(10.0)) << unit.log().constData();
    const qint64 startAt = clock.elapsed();
    setProperty(1000, QStringLiteral("4"));

    const double last = kFirstHeading + kLines - 1;
    // Through the whole file once, and into its second round.
    ASSERT_TRUE(listenUntil(
        [&] {
            const auto seen = headings(startAt);
            return !seen.empty() && seen.back().second < kFirstHeading + 10 &&
                   std::any_of(seen.begin(), seen.end(),
                               [&](const auto& h) { return h.second >= last - 5; });
        },
        25000))
        << unit.log().constData();
    const auto seen = headings(startAt);
    const auto firstRound = std::find_if(
        seen.begin(), seen.end(), [&](const auto& h) { return h.second < kFirstHeading + 6; });
    ASSERT_NE(firstRound, seen.end());
    const auto wrap = std::adjacent_find(
        firstRound, seen.end(), [](const auto& a, const auto& b) { return b.second < a.second; });
    ASSERT_NE(wrap, seen.end());
    EXPECT_GE(wrap->second, last - 5) << "a round ends at the file's last lines";
    // One line every 200 ms: fifty lines take ten seconds.
    const double degreesPerSecond =
        (wrap->second - firstRound->second) * 1000.0 / double(wrap->first - firstRound->first);
    EXPECT_NEAR(degreesPerSecond, 5.0, 0.8);

    sendOnLan(QStringLiteral("IIEPV,C,VD,0101,1000,0"));
    EXPECT_TRUE(waitForSensorSpeed(10.0)) << unit.log().constData();
}

} // namespace
