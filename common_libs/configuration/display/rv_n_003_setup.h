#pragma once

#include "setuprecord.h"

#include <QObject>
#include <QString>

// The display unit's setup as the main unit keeps it, file "rv_n_003_setup".
struct RV_N_003_Setup_S {
    Q_GADGET
    Q_PROPERTY(int screenOrientation MEMBER screenOrientation)
    Q_PROPERTY(int systemType MEMBER systemType)
    Q_PROPERTY(QString ipAddress MEMBER ipAddress)
    Q_PROPERTY(QString localID MEMBER localID)
    Q_PROPERTY(QString pairedID MEMBER pairedID)
    Q_PROPERTY(QString group MEMBER group)
    Q_PROPERTY(QString remoteDimmDdc MEMBER remoteDimmDdc)
    Q_PROPERTY(int seccondSystemType MEMBER seccondSystemType)
    Q_PROPERTY(bool seccondystemMenu MEMBER seccondystemMenu)
    Q_PROPERTY(int thirdSystemType MEMBER thirdSystemType)
    Q_PROPERTY(bool thirdSystemMenu MEMBER thirdSystemMenu)
    Q_PROPERTY(QString softwareUpdate MEMBER softwareUpdate)
    Q_PROPERTY(int vesselIndex MEMBER vesselIndex)
    Q_PROPERTY(int unitsDepth MEMBER unitsDepth)
    Q_PROPERTY(int unitsSpeed MEMBER unitsSpeed)
    Q_PROPERTY(QString unitName MEMBER unitName)
    Q_PROPERTY(int serialNumber MEMBER serialNumber)
    Q_PROPERTY(bool configParallelSystems MEMBER configParallelSystems)
    Q_PROPERTY(bool systemInStandby MEMBER systemInStandby)
    Q_PROPERTY(int standbyBrightnessLevel MEMBER standbyBrightnessLevel)
    Q_PROPERTY(int standbyColorLevel MEMBER standbyColorLevel)
public:
    int screenOrientation = 1;
    int systemType = 1;
    QString ipAddress;
    QString localID = QStringLiteral("II0102");
    QString pairedID = QStringLiteral("VD0101");
    QString group = QStringLiteral("NAVD");
    QString remoteDimmDdc = QStringLiteral("RX");
    int seccondSystemType = 0;
    bool seccondystemMenu = false;
    int thirdSystemType = 0;
    bool thirdSystemMenu = false;
    QString softwareUpdate = QStringLiteral("Not available.");
    int vesselIndex = 3;
    int unitsDepth = 0;
    int unitsSpeed = 0;
    QString unitName = QStringLiteral("Display");
    int serialNumber = 0;
    bool configParallelSystems = false;
    bool systemInStandby = false;
    int standbyBrightnessLevel = 0;
    int standbyColorLevel = 0;
};

class RV_N_003_Setup : public SetupRecord<RV_N_003_Setup_S> {
public:
    static inline const QString kDefaultIpAddress = QStringLiteral("172.16.1.102");
    static constexpr int kDefaultSerialNumber = 99999;

    RV_N_003_Setup();

    void getDefaults(int level) override;
    void setRvN003(const RV_N_003_Setup_S& values) { storeReceived(values); }

    QString getUnitsDepthString() const;
    QString getUnitsSpeedString() const;
};
