// The sensor's firmware upgraded on a virtual board: an image dropped into the firmware folder
// goes into the simulated sensor's PROM, the display follows it through RUS reports, and
// afterwards the sensor measures again on its line at 4800 baud.
#include "displayrun.h"
#include "flashprom.h"
#include "msgvbw.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// An upgrade of a few pages takes about 10 s of the sensor's pauses.
constexpr int kUpgradeMs = 30000;
constexpr int kRefusalMs = 5000;
constexpr int kConfirmMs = 5000;

QByteArray imageOf(qint64 size) {
    QByteArray image(size, '\0');
    for (qint64 i = 0; i < size; ++i) {
        image[i] = static_cast<char>(i * 7 % 253 + 1);
    }
    return image;
}

struct Report {
    quint32 type;
    quint32 value;
    QString text;
};

class UpgradeRun : public DisplayRun {
protected:
    UpgradeRun() : DisplayRun(kSatd) {}

    // Ready once the unit has joined its group and sends the sensor's speeds.
    void startMeasuring() {
        start();
        ASSERT_TRUE(joined()) << unit.log().constData();
        ASSERT_TRUE(listenUntil([&] { return speedsValidSince(0); }, 20000))
            << unit.log().constData();
    }

    // Copied elsewhere and moved in, as a service engineer drops a finished file.
    void drop(const QString& name, const QByteArray& image) {
        const QString staged = root.writeFile(QStringLiteral("/tmp/") + name, image);
        ASSERT_TRUE(QFile::rename(staged, root.path("/opt/sensorFirmware/") + name));
    }

    bool folderEmpty() const {
        return QDir(root.path("/opt/sensorFirmware"))
            .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

    // The unit's RUS reports heard on the group so far, in order. The unit only sends RUS, so
    // the sentence is read here from its text.
    const std::vector<Report>& reports() {
        static const QRegularExpression kRus(QStringLiteral(R"(\$PNRVRUS,(\d+),(\d+),([^*]*)\*)"));
        for (; m_scanned < lan.heard.size(); ++m_scanned) {
            const std::optional<QString> text = MulticastSocket::datagramText(lan.heard[m_scanned]);
            if (!text) {
                continue;
            }
            for (auto it = kRus.globalMatch(*text); it.hasNext();) {
                const QRegularExpressionMatch rus = it.next();
                m_reports.push_back(
                    {rus.captured(1).toUInt(), rus.captured(2).toUInt(), rus.captured(3)});
            }
        }
        return m_reports;
    }
    bool reported(quint32 type, const QString& text) {
        const std::vector<Report>& all = reports();
        return std::any_of(all.begin(), all.end(),
                           [&](const Report& r) { return r.type == type && r.text == text; });
    }

    bool speedsValidSince(qint64 fromMs) {
        for (const HeardSentence& heard : nmea1Heard.ofType("VBW", fromMs)) {
            const auto vbw = std::dynamic_pointer_cast<MsgVBW>(heard.parsed());
            if (vbw && vbw->statusWaterSpeed() == QLatin1String("A")) {
                return true;
            }
        }
        return false;
    }

    // The sensor measures on its line at 4800 baud, the unit sends its speeds again and may
    // command the sensor: another speed log's request for silence mutes it.
    void expectSensorBackInService() {
        const qint64 from = clock.elapsed();
        EXPECT_TRUE(listenUntil(
            [&] {
                return !sensor.isInFirmwareMode() && sensor.baudRate() == 4800 &&
                       speedsValidSince(from);
            },
            20000))
            << unit.log().constData();
        sendOnNmea1(QStringLiteral("PNRVBLNK,2,,ON"));
        EXPECT_TRUE(listenUntil([&] { return sensor.isMuted(); }, kConfirmMs))
            << "the unit's sending stays disabled";
        sendOnNmea1(QStringLiteral("PNRVBLNK,2,,OFF"));
        EXPECT_TRUE(listenUntil([&] { return !sensor.isMuted(); }, kConfirmMs));
    }

private:
    qsizetype m_scanned = 0;
    std::vector<Report> m_reports;
};

// 20 full pages and 44 bytes: the PROM holds the image bit-reversed, its last page padded with
// zeros, and nothing behind it.
TEST_F(UpgradeRun, ImageIsWrittenIntoTheSensorAndTheSensorMeasuresAgain) {
    QByteArray loaded;
    QObject::connect(&sensor, &Vq2Simulator::firmwareLoaded,
                     [&loaded](const QByteArray& image) { loaded = image; });
    startMeasuring();
    const QByteArray image = imageOf(20 * 256 + 44);
    drop(QStringLiteral("vq2.bin"), image);

    ASSERT_TRUE(listenUntil([&] { return reported(0, QStringLiteral("SUCESS")); }, kUpgradeMs))
        << unit.log().constData();
    const QByteArray padded = image + QByteArray(256 - 44, '\0');
    EXPECT_EQ(loaded, padded) << "the sensor loaded another image";
    const QByteArray& cells = sensor.flash().contents();
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const quint8 expected =
            i < padded.size() ? FlashProm::reversed(static_cast<quint8>(padded[i])) : 0xFF;
        ASSERT_EQ(static_cast<quint8>(cells[i]), expected) << "PROM byte " << i;
    }

    // The display saw the erase waited for, the share sent grow to the whole image, and the end.
    std::vector<quint32> progress;
    for (const Report& r : reports()) {
        if (r.type == 0 && r.text.isEmpty()) {
            progress.push_back(r.value);
        }
    }
    EXPECT_TRUE(reported(1, QStringLiteral("Waiting answer")));
    ASSERT_FALSE(progress.empty());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back(), 20u * 256 * 100 / image.size());
    EXPECT_EQ(reports().back().value, 100u);
    EXPECT_TRUE(folderEmpty()) << "the image is kept";
    expectSensorBackInService();
}

// Images the PROM cannot take are refused before the sensor is touched: its line never leaves
// 4800 baud and the sensor measures on.
TEST_F(UpgradeRun, UnusableImagesAreRefusedWithoutTouchingTheSensor) {
    startMeasuring();
    const int sessions = sensor.sessions();
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("empty"), QStringLiteral("Empty file")},
        {QStringLiteral("folder"), QStringLiteral("File read error")},
        {QStringLiteral("600k"), QStringLiteral("File too big")},
    };
    for (const auto& [name, refusal] : cases) {
        if (name == QLatin1String("folder")) {
            ASSERT_TRUE(QDir().mkpath(root.path("/opt/sensorFirmware/folder")));
        } else {
            drop(name, imageOf(name == QLatin1String("600k") ? 600 * 1024 : 0));
        }
        EXPECT_TRUE(listenUntil([&] { return reported(2, refusal); }, kRefusalMs))
            << qPrintable(name) << "\n"
            << unit.log().constData();
        EXPECT_TRUE(listenUntil([&] { return folderEmpty(); }, kRefusalMs)) << qPrintable(name);
    }
    EXPECT_EQ(sensor.sessions(), sessions) << "the sensor line was closed";
    EXPECT_FALSE(reported(1, QStringLiteral("Waiting answer"))) << "the sensor was erased";
    expectSensorBackInService();
}

// A PROM that stays busy after its erase: the upgrade gives up after its status rounds and
// hands the line back.
TEST_F(UpgradeRun, EraseThatNeverEndsIsReportedAndTheLineComesBack) {
    Scenario worn = m_scenario;
    worn.faults.eraseNeverEnds = true;
    sensor.setScenario(worn);
    startMeasuring();
    drop(QStringLiteral("vq2.bin"), imageOf(1000));

    ASSERT_TRUE(listenUntil([&] { return reported(2, QStringLiteral("Can not erase sensor")); },
                            kUpgradeMs))
        << unit.log().constData();
    EXPECT_FALSE(reported(0, QStringLiteral("SUCESS")));
    EXPECT_TRUE(folderEmpty());
    // The rounds 0, 10, ... 250 of the status polls.
    const std::vector<Report>& all = reports();
    EXPECT_EQ(std::count_if(all.begin(), all.end(), [](const Report& r) { return r.type == 1; }),
              26);
    sensor.setScenario(m_scenario);
    expectSensorBackInService();
}

} // namespace
