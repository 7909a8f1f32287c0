#include "sensorinfo.h"

#include "msgsnf.h"

#include <gtest/gtest.h>

namespace {

// The identity goes out in the version report and to the service software, the frequency
// number in the logging sentences; the tilt calibration sentence leaves them as they were.
TEST(SensorInfo, IdentityAndFrequencyFromTheFirstSnfOnly) {
    SensorInfo info;
    MsgSNF tilt(2);
    tilt.setSerialNumber(QStringLiteral("9-99"));
    info.setFromSNF(tilt);
    EXPECT_TRUE(info.received_SNF);
    EXPECT_EQ(info.serialNumber, QStringLiteral("1-16"));

    MsgSNF identity(1);
    identity.setSerialNumber(QStringLiteral("7-42"));
    identity.setHardwareRev(QStringLiteral("B2"));
    identity.setFirmwereRev(3.1f);
    identity.setFrequencyNr(2);
    info.setFromSNF(identity);
    EXPECT_EQ(QStringList({info.serialNumber, info.hardwareRev, info.firmwereRev}).join(' '),
              QStringLiteral("7-42 B2 3.10"));
    EXPECT_EQ(info.frequencyNr, 2);
}

} // namespace
