#include "calibrationfixture.h"
#include "logger.h"

#include <QFile>
#include <QStringList>

#include <cmath>

namespace {
class CalibrationTable : public CalibrationTest {};

// Fifteen stored points as an older unit wrote them: keys in another order, ints as bools.
QByteArray olderPointsFile(int count = 15) {
    QStringList elements;
    for (int i = 0; i < count; ++i) {
        const int zone = i % 5;
        const double real = 3.0 + 4.0 * zone + i / 5;
        elements.append(QStringLiteral(R"({"isSet": %1, "sogValid": 0, "realSpeed": %2, )"
                                       R"("measuredSTW": %3, "measuredSOG": %4, )"
                                       R"("mountingError": 0.5, "calibrationPointNumber": %5})")
                            .arg(i == 7 ? 1 : 0)
                            .arg(real)
                            .arg(real * 0.9)
                            .arg(real * 0.8)
                            .arg(zone));
    }
    return ("[" + elements.join(QStringLiteral(",\n")) + "]").toLatin1();
}

TEST_F(CalibrationTable, EmptyFolderGivesZoneCentresWithTheSensorRatios) {
    SpeedCalibrationData& table = restart();
    const float centres[] = {2.5f, 7.5f, 12.5f, 17.5f, 22.5f};
    for (int zone = 0; zone < 5; ++zone) {
        EXPECT_FLOAT_EQ(table.getCalibrationPoint(zone, -1).realSpeed, centres[zone]) << zone;
        EXPECT_EQ(table.getCurrentlyUsedPoint(zone), 0) << zone;
    }
    EXPECT_NEAR(table.getCalibratedSpeed(0.751f * 7.5f, STW_speed, true), 7.5f, 1e-4f);
    EXPECT_NEAR(table.getCalibratedSpeed(0.71f * 17.5f, STW_speed, false), 17.5f, 1e-4f);
    EXPECT_NEAR(table.getCalibratedSpeed(0.835f * 12.5f, SOG_speed, true), 12.5f, 1e-4f);
    EXPECT_NEAR(table.getMeasuredSpeed(12.5f, SOG_speed, false), 0.835f * 12.5f, 1e-4f);
}

TEST_F(CalibrationTable, DefaultZonesFollowTheCalibratedOnes) {
    // Sea-test points at 12.5 kn (STW 11) in zone 2 and 22.5 kn (STW 18) in zone 4; with one in
    // use the others follow the line through the origin, with both they lie between and beyond,
    // with none the factory values are back. Sources in use, the measured STW of every zone:
    const std::pair<std::array<int, 5>, std::array<float, 5>> cases[] = {
        {{0, 0, 2, 0, 0}, {2.2f, 6.6f, 11.0f, 15.4f, 19.8f}},
        {{0, 0, 2, 0, 2}, {2.2f, 6.6f, 11.0f, 14.5f, 18.0f}},
        {{0, 0, 0, 0, 0}, {2.5f, 7.5f, 12.5f, 17.5f, 22.5f}},
    };
    SpeedCalibrationData& table = restart();
    EXPECT_FALSE(
        table.setCalibrationPointFromValues(1, 10.0f, std::nanf(""), 9.0f, 0.0f, true, 2, true))
        << "a point without a measured speed is not stored";
    ASSERT_TRUE(table.setCalibrationPointFromValues(2, 12.5f, 11.0f, 11.5f, 0.0f, true, 2, true));
    ASSERT_TRUE(table.setCalibrationPointFromValues(4, 22.5f, 18.0f, 19.0f, 0.0f, true, 2, true));
    for (const int zone : {2, 4}) {
        ASSERT_TRUE(table.setExtendedCalibrationPoint(
            ExtendedSpeedCalibrationPoint(table.getCalibrationPoint(zone, 2), 2, false), 2));
    }
    for (const auto& [sources, stw] : cases) {
        for (int zone = 0; zone < 5; ++zone) {
            table.setCurrentlyUsedPoint(zone, sources[zone]);
        }
        table.adjustDefaultPointValues();
        for (int zone = 0; zone < 5; ++zone) {
            SCOPED_TRACE(testing::Message() << "zone " << zone << " with " << sources[4]);
            EXPECT_NEAR(table.getCalibrationPoint(zone, -1).measuredSTW, stw[zone], 1e-4f);
            if (sources[zone] == 0 && sources[2] != 0) {
                EXPECT_NEAR(
                    table.getExtendedCalibrationPoint(zone, -1).stwHighFrequencyPoint.measuredSpeed,
                    stw[zone], 1e-4f);
            }
        }
    }
}

TEST_F(CalibrationTable, OlderFilesLoadWhateverTheirKeyOrder) {
    writeConfigFile(SpeedCalibrationData::kPointsFile, olderPointsFile());
    writeConfigFile(SpeedCalibrationData::kUsedFile,
                    R"([{"calibrationPointSet":1},{"calibrationPointSet":2},)"
                    R"({"calibrationPointSet":2},{"calibrationPointSet":3},)"
                    R"({"calibrationPointSet":0}])");
    SpeedCalibrationData& table = restart();
    const int expectedSources[] = {1, 2, 2, 3, 0};
    for (int zone = 0; zone < 5; ++zone) {
        EXPECT_EQ(table.getCurrentlyUsedPoint(zone), expectedSources[zone]) << zone;
    }
    const SpeedCalibrationPoint p = table.getCalibrationPoint(2, 2);
    EXPECT_EQ(std::tuple(p.calibrationPointNumber, p.realSpeed, p.isSet, p.sogValid),
              std::tuple(2, 12.0f, true, false));
    EXPECT_NEAR(p.measuredSTW, 10.8f, 1e-5f);
    EXPECT_FALSE(table.getCalibrationPoint(3, 2).isSet);
    EXPECT_NEAR(table.getMountingError(2, 2), 0.5f * 3.14159265f / 180.0f, 1e-6f);
    EXPECT_FLOAT_EQ(table.getCalibrationPoint(0, 1).realSpeed, 3.0f);
    EXPECT_FLOAT_EQ(table.getCalibrationPoint(4, 3).realSpeed, 21.0f);
}

TEST_F(CalibrationTable, UnusableSourceFileKeepsThePoints) {
    const QByteArray points = olderPointsFile();
    const QByteArray cases[] = {
        "",
        "[{",
        R"([{"calibrationPointSet":1},{"calibrationPointSet":2}])",
        R"([{"calibrationPointSet":1},{"calibrationPointSet":9},{"calibrationPointSet":0},)"
        R"({"calibrationPointSet":0},{"calibrationPointSet":0}])",
    };
    for (const QByteArray& used : cases) {
        QFile::remove(root.path(configPath(SpeedCalibrationData::kUsedFile + ".corrupt")));
        writeConfigFile(SpeedCalibrationData::kPointsFile, points);
        writeConfigFile(SpeedCalibrationData::kUsedFile, used);
        SpeedCalibrationData& table = restart();
        EXPECT_FLOAT_EQ(table.getCalibrationPoint(2, 2).realSpeed, 12.0f) << used.constData();
        EXPECT_TRUE(table.getCalibrationPoint(2, 2).isSet) << used.constData();
        for (int zone = 0; zone < 5; ++zone) {
            EXPECT_EQ(table.getCurrentlyUsedPoint(zone), 0) << used.constData();
        }
        EXPECT_TRUE(root.exists(configPath(SpeedCalibrationData::kUsedFile + ".corrupt")))
            << used.constData();
        restart();
        EXPECT_FLOAT_EQ(data->getCalibrationPoint(2, 2).realSpeed, 12.0f) << "after a restart";
    }
}

TEST_F(CalibrationTable, UnusablePointsFileGivesFactoryValuesAndIsKept) {
    const QByteArray fourteen = olderPointsFile(14);
    writeConfigFile(SpeedCalibrationData::kPointsFile, fourteen);
    writeConfigFile(SpeedCalibrationData::kUsedFile,
                    R"([{"calibrationPointSet":2},{"calibrationPointSet":2},)"
                    R"({"calibrationPointSet":2},{"calibrationPointSet":2},)"
                    R"({"calibrationPointSet":2}])");
    SpeedCalibrationData& table = restart();
    EXPECT_EQ(configFile(SpeedCalibrationData::kPointsFile + ".corrupt"), fourteen);
    EXPECT_NE(table.getCalibrationPoint(2, 2).realSpeed, 12.0f) << "not the file's";
    for (int zone = 0; zone < 5; ++zone) {
        EXPECT_FALSE(table.getCalibrationPoint(zone, 2).isSet);
        EXPECT_EQ(table.getCurrentlyUsedPoint(zone), 0);
    }
}

TEST_F(CalibrationTable, ExtendedPointsSurviveARestart) {
    SpeedCalibrationData& table = restart();
    ExtendedSpeedCalibrationPoint ext = table.getExtendedCalibrationPoint(3, 2);
    ext.stwLowFrequencyPoint.measuredSpeed = 13.375f;
    ext.sogHighFrequencyPoint.isValid = 0;
    ASSERT_TRUE(table.setExtendedCalibrationPoint(ext, 2));
    const QByteArray written = configFile(SpeedCalibrationData::kExtendedFile);
    EXPECT_TRUE(written.startsWith("{[0?0?{ \"angleOffset\" : 0, \"isValid\" : 1, "));
    EXPECT_TRUE(written.endsWith("]!}/"));
    EXPECT_EQ(written.count("}/"), 4);

    SpeedCalibrationData& again = restart();
    const ExtendedSpeedCalibrationPoint back = again.getExtendedCalibrationPoint(3, 2);
    EXPECT_FLOAT_EQ(back.stwLowFrequencyPoint.measuredSpeed, 13.375f);
    EXPECT_FALSE(back.sogHighFrequencyPoint.valid());
    EXPECT_EQ(configFile(SpeedCalibrationData::kExtendedFile), written);
}

TEST_F(CalibrationTable, BrokenExtendedFileIsRebuiltFromTheBasicTable) {
    restart();
    const QByteArray good = configFile(SpeedCalibrationData::kExtendedFile);
    QList<QByteArray> blocks = good.split('/');
    blocks[2].replace("\"realSpeed\" : ", "\"realSpeed\" ");
    const QByteArray broken = blocks.join('/');
    const QByteArray cases[] = {broken, good.left(good.size() / 2), good + "{}/", "/"};
    for (const QByteArray& content : cases) {
        writeConfigFile(SpeedCalibrationData::kExtendedFile, content);
        const QString logged = QStringLiteral("Deserialization of extended calibration failde!!!!");
        const qsizetype before = Logger::instance()->buffer().count(logged);
        restart();
        EXPECT_NE(Logger::instance()->buffer().count(logged), before);
        EXPECT_EQ(configFile(SpeedCalibrationData::kExtendedFile + ".corrupt"), content);
        EXPECT_EQ(configFile(SpeedCalibrationData::kExtendedFile), good);
    }
}

TEST_F(CalibrationTable, ChangedMaximumSpeedClearsTheCalibration) {
    SpeedCalibrationData& table = restart();
    ASSERT_TRUE(table.setCalibrationPointFromValues(1, 8.0f, 7.0f, 7.5f, 0.0f, true, 1, true));
    ASSERT_TRUE(table.setCalibrationPointFromValues(2, 12.0f, 10.0f, 11.0f, 0.0f, true, 2, true));
    table.setCurrentlyUsedPoint(1, 1);
    table.setCurrentlyUsedPoint(2, 2);
    int sent = 0;
    QObject::connect(&table, &SpeedCalibrationData::sigSendAllCalibData, [&] { ++sent; });

    SystemSetup::getInstance()->Vq2Setup.set(&VQ2_Setup_S::vesselMaxSpeed, 30.0f);
    table.slotMaxVesselSpeedChanged();

    EXPECT_EQ(sent, 1);
    for (int zone = 0; zone < 5; ++zone) {
        EXPECT_EQ(table.getCurrentlyUsedPoint(zone), 0) << zone;
        EXPECT_FLOAT_EQ(table.getCalibrationPoint(zone, 1).realSpeed, 3.0f + 6.0f * zone);
        EXPECT_FALSE(table.getCalibrationPoint(zone, 1).isSet);
        EXPECT_FALSE(table.getCalibrationPoint(zone, 3).isSet);
    }
    EXPECT_FLOAT_EQ(table.getCalibrationPoint(2, 2).realSpeed, 12.0f) << "sea test kept";
    EXPECT_NEAR(table.getCalibratedSpeed(0.751f * 9.0f, STW_speed, true), 9.0f, 1e-4f);
    SpeedCalibrationData& again = restart();
    EXPECT_FLOAT_EQ(again.getCalibrationPoint(1, 1).realSpeed, 9.0f);
    EXPECT_EQ(again.getCurrentlyUsedPoint(2), 0);
}

} // namespace
