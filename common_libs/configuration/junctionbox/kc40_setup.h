#pragma once

#include "setuprecord.h"

#include <QObject>
#include <QString>

// Junction-box identity and network, file "kc40_setup".
struct KC40_Setup_S {
    Q_GADGET
    Q_PROPERTY(QString ipAddress MEMBER ipAddress)
    Q_PROPERTY(QString localID MEMBER localID)
    Q_PROPERTY(QString group MEMBER group)
    Q_PROPERTY(QString alarmID MEMBER alarmID)
    Q_PROPERTY(QString unitName MEMBER unitName)
    Q_PROPERTY(quint32 serialNumber MEMBER serialNumber)
    Q_PROPERTY(QString hwVersion MEMBER hwVersion)
    Q_PROPERTY(QString remoteDDC MEMBER remoteDDC)
    Q_PROPERTY(bool lowSpeedGPS_Correction MEMBER lowSpeedGPS_Correction)
    Q_PROPERTY(bool firstRunLowSpeedGps MEMBER firstRunLowSpeedGps)
    Q_PROPERTY(bool updateModeOn MEMBER updateModeOn)
public:
    QString ipAddress;
    QString localID = QStringLiteral("VD0101");
    QString group = QStringLiteral("NAVD");
    QString alarmID = QStringLiteral("CA1235");
    QString unitName = QStringLiteral("Main Unit");
    quint32 serialNumber = 0;
    QString hwVersion = QStringLiteral("B1");
    QString remoteDDC = QStringLiteral("OFF");
    bool lowSpeedGPS_Correction = true;
    bool firstRunLowSpeedGps = true;
    bool updateModeOn = false;
};

class KC40_Setup : public SetupRecord<KC40_Setup_S> {
public:
    static inline const QString kDefaultIpAddress = QStringLiteral("172.16.1.101");
    static inline const QString kSoftwareVersion = QStringLiteral("1.2.1.2");
    static constexpr quint32 kDefaultSerialNumber = 99999;

    KC40_Setup();

    // Level 2 also restores the identity and the factory address; the address itself is
    // applied to the interface by the network layer.
    void getDefaults(int level) override;

    void setKc40(const QString& ipAddress, const QString& localID, const QString& group,
                 const QString& alarmID, quint32 serialNumber, const QString& hwVersion);

    // The version the board's ID EEPROM holds; false when it is the stored one.
    bool setHwVersion(const QString& version) { return set(&KC40_Setup_S::hwVersion, version); }

    QString getOldLocalId() const { return m_oldLocalId; }
    QString getSoftwareVersion() const { return kSoftwareVersion; }

private:
    QString m_oldLocalId;
};
