#pragma once

#include <QString>

// The texts the unit reports about itself in its version sentences.
class DeviceInfo {
public:
    static QString deviceType() { return s_deviceType; }
    static QString modelCode() { return s_modelCode; }
    static QString hardwareRevision() { return s_hardwareRevision; }
    static QString vendorID() { return s_vendorID; }
    static QString softwareRevision() { return QStringLiteral("1.2.1.2"); }
    static void setDeviceType(const QString& text) { s_deviceType = text; }
    static void setModelCode(const QString& text) { s_modelCode = text; }
    static void setHardwareRevision(const QString& text) { s_hardwareRevision = text; }
    static void setVendorID(const QString& text) { s_vendorID = text; }

private:
    static inline QString s_deviceType = QStringLiteral("VD");
    static inline QString s_modelCode = QStringLiteral("VQ2");
    static inline QString s_hardwareRevision = QStringLiteral("AX");
    static inline QString s_vendorID = QStringLiteral("NRV");
};
