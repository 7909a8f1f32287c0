#include "rv_n_003_setup.h"

#include "configurationlog.h"

RV_N_003_Setup::RV_N_003_Setup() : SetupRecord(QStringLiteral("rv_n_003_setup")) {
    readSetup();
    if (m_s.serialNumber == 0) {
        m_s.serialNumber = kDefaultSerialNumber;
        writeSetup();
    }
}

void RV_N_003_Setup::getDefaults(int level) {
    const RV_N_003_Setup_S defaults;
    RV_N_003_Setup_S s = defaults;
    s.pairedID = m_s.pairedID;
    s.group = m_s.group;
    s.localID = m_s.localID;
    s.ipAddress = m_s.ipAddress;
    s.serialNumber = m_s.serialNumber;
    s.systemInStandby = m_s.systemInStandby;
    if (level > 1) {
        qCInfo(lcConfiguration) << "RESET PAIRED SFI DISPLAY";
        s.pairedID = defaults.pairedID;
        s.group = defaults.group;
        s.localID = defaults.localID;
        if (level != kFileDefaultsLevel) {
            s.ipAddress = kDefaultIpAddress;
        }
    }
    m_s = s;
    writeSetup();
}

QString RV_N_003_Setup::getUnitsDepthString() const {
    switch (m_s.unitsDepth) {
    case 1:
        return QStringLiteral("ftm");
    case 2:
        return QStringLiteral("ft");
    default:
        return QStringLiteral("m");
    }
}

QString RV_N_003_Setup::getUnitsSpeedString() const {
    switch (m_s.unitsSpeed) {
    case 1:
        return QStringLiteral("mps");
    case 2:
        return QStringLiteral("miph");
    default:
        return QStringLiteral("kn");
    }
}
