#pragma once

#include "msgalf.h"
#include "pseudoterminal.h"
#include "scenario.h"
#include "serialrecorder.h"
#include "testroot.h"
#include "unitprocess.h"
#include "vq2simulator.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <vector>

// The unit on a fresh virtual board, past its first-run restart, with the sensor simulator
// playing the cruise scenario on ttyS3 and the test listening on Nmea_1 (ttyS1) and Nmea_2.
// The test's clock and the scenario's time start together.
class BoardRun : public ::testing::Test {
protected:
    static Scenario cruise() {
        Scenario scenario;
        QString error;
        EXPECT_TRUE(
            Scenario::load(QStringLiteral(VQ2SIM_SCENARIOS "/cruise.json"), scenario, &error))
            << qPrintable(error);
        return scenario;
    }

    BoardRun() {
        root.writeFile(QStringLiteral("/opt/previously_running/" KC40_VERSION_TEXT ".ver"), {});
        clock.start();
    }

    void start() {
        ASSERT_TRUE(sensor.open(root.path("/dev/ttyS3")));
        unit.start();
        ASSERT_TRUE(unit.waitForLog("/dev/ttyS3", 10000)) << unit.log().constData();
    }

    // The sensor falls silent, as when its cable is cut: no data and no answers.
    void stopSensor() {
        Scenario silent = m_scenario;
        silent.faults.silent = true;
        silent.faults.noAnswers = true;
        sensor.setScenario(silent);
    }
    void resumeSensor() { sensor.setScenario(m_scenario); }

    // One sentence, given without "$" and checksum ("GPVTG,..."), into the unit's Nmea_1.
    void sendOnNmea1(const QString& body) {
        nmea1.write(NmeaMessage::addCrcToMsgBuffer(body).toLatin1());
    }
    // The ship's speed and heading as a GPS and a gyro send them, on Nmea_1.
    void sendGps(double knots, double degrees) {
        const QString course = QString::number(degrees, 'f', 1);
        sendOnNmea1(QStringLiteral("GPVTG,%1,T,,M,%2,N,%3,K,A")
                        .arg(course)
                        .arg(knots, 0, 'f', 1)
                        .arg(knots * 1.852, 0, 'f', 1));
        sendOnNmea1(QStringLiteral("HEHDT,%1,T").arg(course));
    }

    // The last ALF about the lost sensor heard on Nmea_1 from `fromMs` on with the given state.
    std::shared_ptr<MsgALF> sensorAlert(qint64 fromMs, const char* state, qint64* atMs = nullptr) {
        for (const HeardSentence& heard : nmea1Heard.ofType("ALF", fromMs)) {
            const auto alf = std::dynamic_pointer_cast<MsgALF>(heard.parsed());
            if (alf && alf->alertText() == QLatin1String("Sensor Comm") &&
                alf->alertState() == QLatin1String(state)) {
                if (atMs != nullptr) {
                    *atMs = heard.atMs;
                }
                return alf;
            }
        }
        return nullptr;
    }

    // Times (test clock) at which the unit's reload command reached the sensor line.
    const std::vector<qint64>& reloads() {
        static const QByteArray kReload("$PNRVFIRM\0\r\n", 12);
        const qsizetype count = sensor.receivedBytes().count(kReload);
        while (static_cast<qsizetype>(m_reloads.size()) < count) {
            m_reloads.push_back(clock.elapsed());
        }
        return m_reloads;
    }

    bool listenUntil(const std::function<bool()>& condition, int timeoutMs) {
        return ::listenUntil(
            {&nmea1Heard},
            [&] {
                reloads();
                talkIfDue();
                return condition();
            },
            timeoutMs);
    }
    void listenFor(int ms) {
        listenUntil([] { return false; }, ms);
    }

    // Equipment that keeps talking to the unit while the test listens, about once a second.
    std::function<void()> everySecond;

    Scenario m_scenario = cruise();
    TestRoot root;
    PseudoTerminal nmea1{root.path("/dev/ttyS1")};
    PseudoTerminal nmea2{root.path("/dev/ttyS2")};
    Vq2Simulator sensor{m_scenario};
    QElapsedTimer clock;
    SerialRecorder nmea1Heard{nmea1, clock};
    UnitProcess unit{KC40_BINARY, root.path()};

private:
    void talkIfDue() {
        if (everySecond && clock.elapsed() >= m_nextTalk) {
            m_nextTalk = clock.elapsed() + 1000;
            everySecond();
        }
    }

    std::vector<qint64> m_reloads;
    qint64 m_nextTalk = 0;
};
