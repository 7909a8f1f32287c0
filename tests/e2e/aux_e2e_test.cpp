// The junction box's auxiliary terminals, judged by the board's pin files, the ship's network
// and the alert sentences on Nmea_1.
#include "displayrun.h"

#include <gtest/gtest.h>

namespace {

constexpr int kAuxStates = 26;
constexpr int kAnswerMs = 5000;

class AuxRun : public DisplayRun {
protected:
    AuxRun() : DisplayRun(kTgtd) {}

    QByteArray pinFile(const QString& pin, const char* file) const {
        return root.readFile(QStringLiteral("/sys/class/gpio/pio%1/%2").arg(pin, file)).trimmed();
    }
    // The terminal states of the unit's last ICM 26 from datagram `from` on.
    QList<int> auxStates(qsizetype from) const {
        const auto found = unitIcms(kAuxStates, from);
        return found.empty() ? QList<int>() : found.back()->msgParameters();
    }
};

// Factory wiring: pulses on Aux1 and Aux2, power failure on Aux3, the acknowledge input on
// Aux4. Opening its contact is shown on the network and acknowledges the raised alert.
TEST_F(AuxRun, TheAcknowledgeInputIsShownOnTheNetworkAndAcknowledgesAlerts) {
    start();
    ASSERT_TRUE(joined()) << unit.log().constData();
    const QList<QByteArray> exported = root.readFile("/sys/class/gpio/export").split('\n');
    const std::pair<const char*, const char*> terminals[] = {
        {"20", "out"}, {"16", "out"}, {"17", "out"}, {"21", "in"}};
    for (const auto& [number, direction] : terminals) {
        EXPECT_TRUE(exported.contains(number)) << number;
        EXPECT_EQ(pinFile(QStringLiteral("A") + number, "direction"), direction) << number;
    }
    EXPECT_EQ(pinFile(QStringLiteral("A21"), "edge"), "both");
    EXPECT_EQ(pinFile(QStringLiteral("A17"), "value"), "1") << "power present";
    ASSERT_TRUE(listenUntil([&] { return auxStates(0).size() == 4; }, kAnswerMs));
    EXPECT_EQ(auxStates(0).value(3), 1) << "contact closed";

    stopSensor();
    const qint64 stoppedAt = clock.elapsed();
    ASSERT_TRUE(listenUntil([&] { return sensorAlert(stoppedAt, "V") != nullptr; }, 22000))
        << unit.log().constData();
    listenFor(1000);
    ASSERT_EQ(sensorAlert(stoppedAt, "A"), nullptr) << "acknowledged before the input moved";

    const qsizetype from = lan.heard.size();
    const qint64 openedAt = clock.elapsed();
    root.writeFile("/sys/class/gpio/pioA21/value", "1\n");
    EXPECT_TRUE(listenUntil([&] { return auxStates(from).value(3, -1) == 0; }, kAnswerMs))
        << "the open contact is not shown";
    EXPECT_TRUE(listenUntil([&] { return sensorAlert(openedAt, "A") != nullptr; }, kAnswerMs))
        << unit.log().constData();
}

} // namespace
