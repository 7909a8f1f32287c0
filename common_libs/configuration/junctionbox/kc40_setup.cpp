#include "kc40_setup.h"

#include "platform.h"

namespace {
// The address of the interface in use: eth0 when the board has it, else the second one;
// empty when that interface has no IPv4 address.
QString interfaceInUseAddress() {
    auto inUse = Platform::interfaceAddress(QStringLiteral("eth0"));
    if (!inUse) {
        inUse = Platform::interfaceAddress(QStringLiteral("eth1"));
    }
    return inUse ? inUse->ip : QString();
}
} // namespace

KC40_Setup::KC40_Setup() : SetupRecord(QStringLiteral("kc40_setup")) {
    readSetup();
    // The unit answers at the address its interface has, whatever the file remembers.
    const QString address = interfaceInUseAddress();
    bool changed = !address.isEmpty() && address != m_s.ipAddress;
    if (changed) {
        m_s.ipAddress = address;
    }
    if (m_s.serialNumber == 0) {
        m_s.serialNumber = kDefaultSerialNumber;
        changed = true;
    }
    // A unit's first run switches the low-speed GPS correction on once; the operator may
    // switch it off afterwards.
    if (m_s.firstRunLowSpeedGps) {
        m_s.firstRunLowSpeedGps = false;
        m_s.lowSpeedGPS_Correction = true;
        changed = true;
    }
    if (changed) {
        writeSetup();
    }
    m_oldLocalId = m_s.localID;
}

void KC40_Setup::getDefaults(int level) {
    const KC40_Setup_S defaults;
    m_s.alarmID = defaults.alarmID;
    m_s.lowSpeedGPS_Correction = true;
    if (level > 1) {
        m_s.unitName = defaults.unitName;
        m_s.localID = defaults.localID;
        m_s.group = defaults.group;
        m_s.remoteDDC = defaults.remoteDDC;
        m_s.firstRunLowSpeedGps = true;
        if (level != kFileDefaultsLevel) {
            m_s.ipAddress = kDefaultIpAddress;
        }
    }
    m_s.hwVersion = defaults.hwVersion;
    writeSetup();
}

void KC40_Setup::setKc40(const QString& ipAddress, const QString& localID, const QString& group,
                         const QString& alarmID, quint32 serialNumber, const QString& hwVersion) {
    KC40_Setup_S s = m_s;
    s.ipAddress = ipAddress;
    s.localID = localID;
    s.group = group;
    s.alarmID = alarmID;
    s.serialNumber = serialNumber;
    s.hwVersion = hwVersion;
    storeReceived(s);
}
