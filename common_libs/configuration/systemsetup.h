#pragma once

#include "alarm/alarmids_setup.h"
#include "alarm/alarmlimits_setup.h"
#include "calibration.h"
#include "display/rv_n_003_setup.h"
#include "distance/triptotal_setup.h"
#include "junctionbox/kc40_setup.h"
#include "sensor/sensoruptimer.h"
#include "vessel/vq2_setup.h"

#include <QObject>

#include <memory>

// The unit's configuration root: owns one record per setting group, each loaded from its
// file at construction (defaults written when the file is missing or unusable).
class SystemSetup : public QObject {
    Q_OBJECT
public:
    static SystemSetup* getInstance();
    // Drops the configuration so that the next getInstance() loads it anew from the board
    // root then configured; a fresh temporary root gives a factory-new unit.
    static void resetForTests();

    ~SystemSetup() override;

    QString systemType() const { return m_systemType; }

    // Records, constructed and loaded in this order.
    AlarmIDs_Setup AlarmIDsSetup;
    AlarmLimits_Setup AlarmLimitsSetup;
    RV_N_003_Setup RvN003Setup;
    VQ2_Setup Vq2Setup;
    KC40_Setup Kc40Setup;
    TripTotal_Setup TripTotalSetup;
    triptotal_SOG_setup triptotal_sog_setup;
    SensorUpTimer sensTimer;
    calibration calibCoeffs;

private:
    SystemSetup();

    QString m_systemType = QStringLiteral("KC_40");
};
