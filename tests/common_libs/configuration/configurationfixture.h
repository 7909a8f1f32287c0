#pragma once

#include "platform.h"
#include "systemsetup.h"
#include "testroot.h"

#include <gtest/gtest.h>

// Every test starts on a fresh board root with no configuration loaded.
class ConfigurationTest : public ::testing::Test {
protected:
    ConfigurationTest() {
        Platform::configure(root.path(), QStringLiteral("lo"));
        SystemSetup::resetForTests();
    }
    ~ConfigurationTest() override { SystemSetup::resetForTests(); }

    QByteArray setupFile(const QString& name) const {
        return root.readFile(QStringLiteral("/opt/setup_files/") + name);
    }
    void writeSetupFile(const QString& name, const QByteArray& content) const {
        root.writeFile(QStringLiteral("/opt/setup_files/") + name, content);
    }

    TestRoot root;
};
