#pragma once

#include "freshunit.h"
#include "platform.h"
#include "speedcalibrationdata.h"
#include "systemsetup.h"

#include <gtest/gtest.h>

#include <memory>

// A fresh board root with a vessel maximum speed of 25 kn; the table is built on demand so
// that a test can lay down files first, and rebuilt to see what a restart reads.
class CalibrationTest : public ::testing::Test {
protected:
    CalibrationTest() {
        SystemSetup::getInstance()->Vq2Setup.set(&VQ2_Setup_S::vesselMaxSpeed, 25.0f);
    }

    SpeedCalibrationData& restart() {
        data.reset();
        data = std::make_unique<SpeedCalibrationData>(QStringLiteral("KC_40"));
        return *data;
    }

    static QString configPath(const QString& name) {
        return QStringLiteral("/opt/configuration_files/") + name;
    }
    QByteArray configFile(const QString& name) const { return root.readFile(configPath(name)); }
    void writeConfigFile(const QString& name, const QByteArray& content) const {
        root.writeFile(configPath(name), content);
    }

    FreshUnitRoot root;
    std::unique_ptr<SpeedCalibrationData> data;
};
