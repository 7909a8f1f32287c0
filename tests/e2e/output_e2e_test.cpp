#include "boardrun.h"
#include "msgacn.h"
#include "msgalf.h"
#include "msgdpt.h"
#include "msgmtw.h"
#include "msgvbw.h"
#include "msgvbwx.h"
#include "msgvhw.h"
#include "msgvlw.h"
#include "nmeaparser.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The unit's first output cycles are not judged: the sensor's data needs a few seconds to pass
// its averages and filters.
constexpr qint64 kSettleMs = 10000;
constexpr qint64 kObserveMs = 25000;
// The unit filters speeds; its output may lag the simulated ramp by this much.
constexpr double kFilterLagSeconds = 10.0;
constexpr double kSpeedTolerance = 0.3;
constexpr int kCharactersPerSecondAt4800 = 480;
// A cycle is one second plus its work; two seconds between sentences is a missed cycle.
constexpr qint64 kLongestCycleGapMs = 1900;

template <class M> std::shared_ptr<M> as(const HeardSentence& sentence) {
    return std::dynamic_pointer_cast<M>(sentence.parsed());
}

// A speed the ramp took within the filter's lag before `atMs`, give or take the tolerance.
void expectRampSpeed(const Ramp& ramp, float value, qint64 atMs, const char* what) {
    ASSERT_TRUE(NmeaParser::isNumberValidFloat(value)) << what << " is empty";
    const double now = static_cast<double>(atMs) / 1000.0;
    const double a = ramp.at(std::max(0.0, now - kFilterLagSeconds));
    const double b = ramp.at(now);
    EXPECT_GE(value, std::min(a, b) - kSpeedTolerance) << what << " at " << now << " s";
    EXPECT_LE(value, std::max(a, b) + kSpeedTolerance) << what << " at " << now << " s";
}

using OutputRun = BoardRun;

TEST_F(OutputRun, Nmea1CarriesTheSensorValuesEverySecondAndEmptiesThemWhenTheSensorStops) {
    start();
    listenFor(kObserveMs);

    const char* const types[] = {"VBW", "VHW", "VLW", "MTW", "DPT", "VBWX"};
    for (const char* type : types) {
        const std::vector<HeardSentence> heard = nmea1Heard.ofType(type, kSettleMs);
        ASSERT_GE(heard.size(), (kObserveMs - kSettleMs) / 1000 - 2) << type;
        for (std::size_t i = 0; i < heard.size(); ++i) {
            EXPECT_EQ(heard[i].parsed()->errorType(), NO_ERROR) << heard[i].text.constData();
            if (i > 0) {
                EXPECT_LE(heard[i].atMs - heard[i - 1].atMs, kLongestCycleGapMs)
                    << type << " missed a cycle";
            }
        }
    }

    // From one cycle to the next the line carries less than 4800 baud can in a second.
    const std::vector<HeardSentence> cycles = nmea1Heard.ofType("VBW", kSettleMs);
    for (std::size_t i = 1; i < cycles.size(); ++i) {
        EXPECT_LT(nmea1Heard.bytesBetween(cycles[i - 1].atMs, cycles[i].atMs),
                  kCharactersPerSecondAt4800)
            << "cycle at " << cycles[i - 1].atMs << " ms";
    }

    const HeardSentence last = nmea1Heard.ofType("VBW").back();
    const auto vbw = as<MsgVBW>(last);
    ASSERT_TRUE(vbw) << last.text.constData();
    EXPECT_EQ(vbw->statusWaterSpeed(), QLatin1String("A"));
    EXPECT_EQ(vbw->statusGroundSpeed(), QLatin1String("A"));
    expectRampSpeed(m_scenario.stwLong, vbw->longitudinalWaterSpeed(), last.atMs, "STW long");
    expectRampSpeed(m_scenario.stwTra, vbw->transverseWaterSpeed(), last.atMs, "STW tra");
    expectRampSpeed(m_scenario.sogLong, vbw->longitudinalGroundSpeed(), last.atMs, "SOG long");
    expectRampSpeed(m_scenario.sogTra, vbw->transverseGroundSpeed(), last.atMs, "SOG tra");

    const HeardSentence lastVbwx = nmea1Heard.ofType("VBWX").back();
    const auto vbwx = as<MsgVBWX>(lastVbwx);
    ASSERT_TRUE(vbwx) << lastVbwx.text.constData();
    expectRampSpeed(m_scenario.stwLong, vbwx->longitudinalWaterSpeed(), lastVbwx.atMs,
                    "VBWX STW long");
    expectRampSpeed(m_scenario.sogLong, vbwx->longitudinalGroundSpeed(), lastVbwx.atMs,
                    "VBWX SOG long");

    const HeardSentence lastVhw = nmea1Heard.ofType("VHW").back();
    const auto vhw = as<MsgVHW>(lastVhw);
    ASSERT_TRUE(vhw) << lastVhw.text.constData();
    const double now = static_cast<double>(lastVhw.atMs) / 1000.0;
    const double tra = m_scenario.stwTra.at(now);
    EXPECT_GE(vhw->speedKnots(),
              std::hypot(m_scenario.stwLong.at(now - kFilterLagSeconds), tra) - kSpeedTolerance);
    EXPECT_LE(vhw->speedKnots(), std::hypot(m_scenario.stwLong.at(now), tra) + kSpeedTolerance);
    EXPECT_NEAR(vhw->speedKilometers(), vhw->speedKnots() * 1.852, 0.15);

    const auto mtw = as<MsgMTW>(nmea1Heard.ofType("MTW").back());
    ASSERT_TRUE(mtw);
    EXPECT_NEAR(mtw->waterTemperature(), m_scenario.temperature.at(now), 0.3);

    // Depth below the transducer plus the draft as offset is the sensor's forward depth.
    const auto dpt = as<MsgDPT>(nmea1Heard.ofType("DPT").back());
    ASSERT_TRUE(dpt);
    ASSERT_TRUE(NmeaParser::isNumberValidFloat(dpt->waterDepth()));
    EXPECT_NEAR(dpt->waterDepth() + dpt->transducerOffset(), m_scenario.depthFwd.at(now), 1.0);

    // Distances only grow while the ship moves.
    const std::vector<HeardSentence> vlws = nmea1Heard.ofType("VLW", kSettleMs);
    const auto firstVlw = as<MsgVLW>(vlws.front());
    const auto lastVlw = as<MsgVLW>(vlws.back());
    ASSERT_TRUE(firstVlw && lastVlw);
    EXPECT_GE(lastVlw->waterDistSinceReset(), firstVlw->waterDistSinceReset());
    EXPECT_GE(lastVlw->totCumulativeWaterDist(), lastVlw->waterDistSinceReset());

    // The sensor stops: within 10 s the speeds are sent empty with status V.
    stopSensor();
    const qint64 stoppedAt = clock.elapsed();
    const auto emptied = [&] {
        for (const HeardSentence& heard : nmea1Heard.ofType("VBW", stoppedAt)) {
            const auto sentence = as<MsgVBW>(heard);
            if (sentence && !NmeaParser::isNumberValidFloat(sentence->longitudinalWaterSpeed()) &&
                sentence->statusWaterSpeed() == QLatin1String("V")) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(listenUntil(emptied, 11000)) << "speeds still sent 11 s after the sensor stopped";
}

class AlarmRun : public BoardRun {
protected:
    AlarmRun() {
        // Alert identifiers of the alarm setup; a system identifier of 0 would switch the
        // system alerts off. ALF reporting (useALR false).
        root.writeFile(QStringLiteral("/opt/setup_files/alarm_ids_setup"),
                       R"({ "escalationTime" : 0, "sogHighAlarmID" : 3032, )"
                       R"("sogLowAlarmID" : 3032, "stwHighAlarmID" : 3032, )"
                       R"("stwLowAlarmID" : 3032, "systemAlarmID" : 3015, "useALR" : false })");
    }
};

TEST_F(AlarmRun, ALostSensorIsReportedAcknowledgedAndClearedOnNmea1) {
    start();
    listenFor(kSettleMs);

    stopSensor();
    const qint64 stoppedAt = clock.elapsed();
    qint64 raisedAt = 0;
    ASSERT_TRUE(listenUntil([&] { return sensorAlert(stoppedAt, "V") != nullptr; }, 22000))
        << "no sensor-lost alert on Nmea_1";
    const auto raised = sensorAlert(stoppedAt, "V", &raisedAt);
    EXPECT_NEAR(raisedAt - stoppedAt, 16000, 2500);
    EXPECT_EQ(raised->alertCategory(), QLatin1String("B"));
    EXPECT_EQ(raised->alertPriority(), QLatin1String("W"));

    // The bridge acknowledges exactly this alert.
    MsgACN acknowledge(QDateTime::currentDateTimeUtc().toString(QStringLiteral("HHmmss.00")),
                       QString(), raised->alertIdentifier(), raised->alertInstance(),
                       QStringLiteral("A"), QStringLiteral("C"));
    acknowledge.setTalkerID(QStringLiteral("CA"));
    const qint64 acknowledgedAt = clock.elapsed();
    nmea1.write(acknowledge.getMsgBuffer().toLatin1());
    ASSERT_TRUE(listenUntil([&] { return sensorAlert(acknowledgedAt, "A") != nullptr; }, 5000))
        << "the acknowledgement " << acknowledge.getMsgBuffer().toStdString()
        << " was not reported";
    const auto acked = sensorAlert(acknowledgedAt, "A");
    EXPECT_EQ(acked->alertIdentifier(), raised->alertIdentifier());
    EXPECT_EQ(acked->alertInstance(), raised->alertInstance());

    // Data again: the acknowledged alert is rectified and back to normal.
    resumeSensor();
    const qint64 resumedAt = clock.elapsed();
    EXPECT_TRUE(listenUntil([&] { return sensorAlert(resumedAt, "N") != nullptr; }, 10000))
        << "the sensor-lost alert did not return to normal";
}

class StoredDistancesRun : public BoardRun {
protected:
    StoredDistancesRun() {
        root.writeFile(QStringLiteral("/opt/setup_files/total_trip_setup"),
                       R"({ "totalDistance" : 1234.5, "tripDistance" : 12.5 })");
        root.writeFile(QStringLiteral("/opt/setup_files/total_trip_SOG_setup"),
                       R"({ "totalDistance" : 2345.5, "tripDistance" : 23.5 })");
    }
};

// The log goes on counting where it stopped. While GPS shows the ship lying still it counts
// nothing and holds the ground speed near zero, whatever the sensor sees around it.
TEST_F(StoredDistancesRun, DistancesGoOnFromTheStoredOnesAndStayWhileTheShipLiesStill) {
    everySecond = [this] { sendGps(0.0, 90.0); };
    start();
    ASSERT_TRUE(listenUntil([&] { return !nmea1Heard.ofType("VLW").empty(); }, 15000));
    const auto first = as<MsgVLW>(nmea1Heard.ofType("VLW").front());
    ASSERT_TRUE(first);
    EXPECT_NEAR(first->totCumulativeWaterDist(), 1234.5, 0.05);
    EXPECT_NEAR(first->waterDistSinceReset(), 12.5, 0.05);
    EXPECT_NEAR(first->totCumulativeGroundDist(), 2345.5, 0.05);
    EXPECT_NEAR(first->groundDistSinceReset(), 23.5, 0.05);

    // Half a minute below 0.2 kn: the ship lies still; the sensor's ground speed, several
    // knots by now, is held within 0.1 kn once the filters have followed.
    listenFor(33000);
    const qint64 stillAt = clock.elapsed();
    listenFor(10000);
    const std::vector<HeardSentence> vbw = nmea1Heard.ofType("VBW", stillAt);
    ASSERT_FALSE(vbw.empty());
    EXPECT_LE(std::fabs(as<MsgVBW>(vbw.back())->longitudinalGroundSpeed()), 0.15f);
    const std::vector<HeardSentence> still = nmea1Heard.ofType("VLW", stillAt);
    ASSERT_GE(still.size(), 4u);
    const auto from = as<MsgVLW>(still.front());
    const auto to = as<MsgVLW>(still.back());
    EXPECT_FLOAT_EQ(to->waterDistSinceReset(), from->waterDistSinceReset());
    EXPECT_FLOAT_EQ(to->groundDistSinceReset(), from->groundDistSinceReset());
}

class SatelliteLogRun : public BoardRun {
protected:
    SatelliteLogRun() {
        root.writeFile(QStringLiteral("/opt/setup_files/vq2_setup"),
                       R"({ "outputParams" : "SAT LOG" })");
    }
};

// Without a sensor the ground speed is the GPS speed along the hull.
TEST_F(SatelliteLogRun, GroundSpeedComesFromGps) {
    everySecond = [this] { sendGps(10.5, 45.0); };
    start();
    const auto groundSpeedSent = [&] {
        for (const HeardSentence& heard : nmea1Heard.ofType("VBW")) {
            const auto vbw = as<MsgVBW>(heard);
            if (vbw && vbw->statusGroundSpeed() == QLatin1String("A")) {
                return true;
            }
        }
        return false;
    };
    ASSERT_TRUE(listenUntil(groundSpeedSent, 15000)) << unit.log().constData();
    const auto vbw = as<MsgVBW>(nmea1Heard.ofType("VBW").back());
    EXPECT_NEAR(vbw->longitudinalGroundSpeed(), 10.5, 0.05);
    EXPECT_NEAR(vbw->transverseGroundSpeed(), 0.0, 0.05);
    EXPECT_EQ(vbw->statusGroundSpeed(), QLatin1String("A"));
}

} // namespace
