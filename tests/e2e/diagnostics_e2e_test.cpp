// The unit's self tests as the display sees them on the ship's network, and the sensor test's
// request as the sensor sees it on its line.
#include "displayrun.h"

#include <gtest/gtest.h>

namespace {

// On the unit's own group for these runs, apart from the display runs.
class DiagnosticsRun : public DisplayRun {
protected:
    DiagnosticsRun() : DisplayRun(kVdrd) {
        QObject::connect(&sensor, &Vq2Simulator::commandReceived, [this](const QString& sentence) {
            if (sentence.startsWith(QLatin1String("$PNRVSNF,1,")) && m_firstSnfAt < 0) {
                m_firstSnfAt = clock.elapsed();
            }
        });
    }

    // The IDM 99 the unit sends when a test has finished, from datagram `from` on.
    bool finished(const QString& test, qsizetype from = 0) const {
        for (const auto& idm : unitIdms(99, from)) {
            if (idm->msgParameters() == QStringList{test, QStringLiteral("Finished")}) {
                return true;
            }
        }
        return false;
    }

    // The text of the last result of `test` the unit sent from datagram `from` on, put together
    // from its IDM 2 pieces ("group,index,count,piece", the piece holding commas of its own);
    // empty when none came whole.
    QString result(const QString& test, qsizetype from = 0) const {
        QMap<QString, QStringList> groups;
        QString last;
        for (const auto& idm : unitIdms(2, from)) {
            const QStringList fields = idm->msgParameters();
            if (fields.size() < 4) {
                continue;
            }
            QStringList& pieces = groups[fields[0]];
            if (fields[1].toInt() == 0) {
                pieces.clear();
            }
            pieces << fields.mid(3).join(QLatin1Char(','));
            const QString text = pieces.join(QString());
            if (fields[1].toInt() == fields[2].toInt() - 1 && pieces.size() == fields[2].toInt() &&
                text.startsWith(test + QLatin1Char(','))) {
                last = text;
            }
        }
        return last;
    }

    // The value of a comment in a result's text: the element after its name.
    static QString comment(const QString& result, const QString& name) {
        const QStringList elements = result.section(QLatin1Char('/'), 3).split(QLatin1Char(','));
        const qsizetype at = elements.indexOf(name);
        return at >= 0 && at % 2 == 0 ? elements.value(at + 1) : QString();
    }

    qint64 m_firstSnfAt = -1;
};

// Five seconds after power-on the unit asks the sensor for its information and reports to the
// display whether and what it answered.
TEST_F(DiagnosticsRun, TheSensorTestAtStartAsksTheSensorAndTellsTheDisplay) {
    const qint64 launched = clock.elapsed();
    start();
    ASSERT_TRUE(listenUntil([&] { return finished(QStringLiteral("Sensor test")); }, 30000))
        << unit.log().constData();

    EXPECT_GE(m_firstSnfAt - launched, 5000) << "asked only after the sensor's power-on wait";
    const QString text = result(QStringLiteral("Sensor test"));
    ASSERT_FALSE(text.isEmpty()) << "the result's pieces came before the end";
    EXPECT_EQ(comment(text, QStringLiteral("SENSOR")), "OK: COMM") << qPrintable(text);
    EXPECT_EQ(comment(text, QStringLiteral("Serial number")), m_scenario.serialNumber)
        << qPrintable(text);
}

// The display asks for the traffic test and gets the real counts of the unit's network.
TEST_F(DiagnosticsRun, ATestTheDisplayAsksForIsRunAndReported) {
    start();
    // After the start's own reports: the results not yet run, then the sensor test.
    ASSERT_TRUE(listenUntil([&] { return finished(QStringLiteral("Sensor test")); }, 30000))
        << unit.log().constData();

    const qsizetype from = lan.heard.size();
    sendOnLan(QStringLiteral("PNRVIDM,1,99,Traffic test,Start"));
    ASSERT_TRUE(listenUntil([&] { return finished(QStringLiteral("Traffic test"), from); }, 10000))
        << unit.log().constData();

    const QString text = result(QStringLiteral("Traffic test"), from);
    ASSERT_FALSE(text.isEmpty());
    bool counted = false;
    EXPECT_GT(comment(text, QStringLiteral("eth0 Sent total kB")).toLongLong(&counted), 0)
        << qPrintable(text);
    EXPECT_TRUE(counted) << qPrintable(text);
    EXPECT_FALSE(text.contains(QLatin1String("eth1"))) << "a virtual board has no eth1";
}

} // namespace
