#include "sensorinfo.h"

#include "msgsnf.h"

#include <gtest/gtest.h>

namespace {

TEST(SensorInfo, IdentityAndFrequencyChoiceFromTheFirstSnf) {
    const struct {
        const char* requested;
        const char* used;
        const char* info;
        int requestedNr;
        int usedNr;
        const char* source;
        const char* hiLow;
    } cases[] = {
        {"C2", "C2", "270kHz HI", 2, 2, "Config", "HI"},
        {"E1", "E3", "LOW", 1, 3, "EEPROM", "LOW"},
        {"D", "Dx", "", 0, 0, "Default", "LOW"},
    };
    for (const auto& c : cases) {
        SensorInfo info;
        MsgSNF snf(1);
        snf.setSerialNumber(QStringLiteral("7-42"));
        snf.setFirmwereRev(3.1f);
        snf.setRequestedFrequencyInfo(QString::fromLatin1(c.requested));
        snf.setUsedFrequencyInfo(QString::fromLatin1(c.used));
        snf.setFrequencyInfo(QString::fromLatin1(c.info));
        info.setFromSNF(snf);
        EXPECT_TRUE(info.received_SNF);
        EXPECT_EQ(info.serialNumber, QStringLiteral("7-42"));
        EXPECT_EQ(info.firmwereRev, QStringLiteral("3.10"));
        EXPECT_EQ(info.requestedFrequency, c.requestedNr) << c.requested;
        EXPECT_EQ(info.usedFrequency, c.usedNr) << c.used;
        EXPECT_EQ(info.usedFrequencySource, QString::fromLatin1(c.source)) << c.used;
        EXPECT_EQ(info.frequencyHiLow, QString::fromLatin1(c.hiLow)) << c.info;
        EXPECT_EQ(info.tiltRotation, 0);
    }
}

TEST(SensorInfo, TiltCalibrationFromTheOtherSnfLeavesTheIdentity) {
    SensorInfo info;
    MsgSNF snf(2);
    snf.setTiltRotation(50);
    snf.setOffsetX(-3);
    snf.setCurveZ(7);
    info.setFromSNF(snf);
    EXPECT_TRUE(info.received_SNF);
    EXPECT_EQ(info.tiltRotation, 50);
    EXPECT_EQ(info.offsetX, -3);
    EXPECT_EQ(info.curveZ, 7);
    EXPECT_EQ(info.serialNumber, QStringLiteral("1-16"));
}

} // namespace
