#include "calibrationpoints.h"

#include <gtest/gtest.h>

namespace {
SpeedCalibrationPoint point(int zone, float real, float stw, float sog, bool sogValid) {
    SpeedCalibrationPoint p;
    p.calibrationPointNumber = zone;
    p.realSpeed = real;
    p.measuredSTW = stw;
    p.measuredSOG = sog;
    p.mountingError = 1.5f;
    p.isSet = true;
    p.sogValid = sogValid;
    return p;
}

TEST(ExtendedCalibrationPoint, TextRoundTrip) {
    ExtendedSpeedCalibrationPoint ext(point(4, 20.0f, 17.25f, 18.5f, true), 3, false);
    ext.sogLowFrequencyPoint.isValid = 0;
    ext.stwLowFrequencyPoint.measuredSpeed = 16.125f;
    const QString text = ext.toText();
    EXPECT_TRUE(text.startsWith(QStringLiteral(R"([4?3?{ "angleOffset" : 1.5, "isValid" : 1, )"
                                               R"("measuredSpeed" : 17.25, "realSpeed" : 20 }|)")))
        << text.toStdString();

    ExtendedSpeedCalibrationPoint back;
    ASSERT_TRUE(back.fromText(text));
    EXPECT_EQ(back.toText(), text);
    EXPECT_FALSE(back.sogLowFrequencyPoint.valid());
    EXPECT_FLOAT_EQ(back.stwLowFrequencyPoint.measuredSpeed, 16.125f);
}

TEST(ExtendedCalibrationPoint, MalformedTextLeavesThePointUnchanged) {
    const QString good =
        ExtendedSpeedCalibrationPoint(point(1, 5.0f, 4.0f, 4.5f, true), 1, false).toText();
    QString brokenJson = good;
    brokenJson.replace(QStringLiteral("\"realSpeed\" : 5 }|"),
                       QStringLiteral("\"realSpeed\" : }|"));
    const QString cases[] = {
        QString(),
        good.chopped(1),
        good.mid(1),
        QString(good).replace(QStringLiteral("[1?1?"), QStringLiteral("[7?1?")),
        QString(good).replace(QStringLiteral("[1?1?"), QStringLiteral("[1?4?")),
        QString(good).replace(QStringLiteral("[1?1?"), QStringLiteral("[x?1?")),
        QString(good).replace(QLatin1Char('|'), QLatin1Char(',')),
        brokenJson,
        QStringLiteral("[1?1?[]|[]|[]|[]]"),
    };
    for (const QString& text : cases) {
        ExtendedSpeedCalibrationPoint target(point(2, 1.0f, 1.0f, 1.0f, true), 2, false);
        const QString before = target.toText();
        EXPECT_FALSE(target.fromText(text)) << text.toStdString();
        EXPECT_EQ(target.toText(), before) << text.toStdString();
    }
}

} // namespace
