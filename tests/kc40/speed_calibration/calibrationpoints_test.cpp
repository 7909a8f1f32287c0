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
