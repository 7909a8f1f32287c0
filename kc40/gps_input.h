#pragma once

#include "msghdt.h"
#include "msgrot.h"
#include "msgths.h"
#include "msgvtg.h"
#include "variabletypest.h"

#include <QObject>
#include <QTimer>

// GPS speed over ground projected onto the hull. Course and speed (VTG), heading (THS or HDT)
// and rate of turn (ROT) arrive as separate sentences within a fraction of a second; the
// projection is made once per burst: at the third input, or 300 ms after the first one.
class GPS_Input : public QObject {
    Q_OBJECT
public:
    static constexpr int kBurstWindowMs = 300;
    static constexpr int kInputsPerBurst = 3;

    static GPS_Input* getInstance();
    // Drops the instance: the next getInstance() starts afresh. For test fixtures.
    static void resetForTests();

    void handleVTG(const MsgVTG& vtg);
    void handleROT(const MsgROT& rot);
    void handleTHS(const MsgTHS& ths);
    void handleHDT(const MsgHDT& hdt);

    // Longitudinal and transverse knots from VTG speed and course and the boat's heading;
    // left untouched while one of them is missing.
    void calculateSpeedProjections();

    varFloat rateOfTurnFromROT;
    varFloat headingDegreesFromTHS;
    varFloat boatHeadingRad;
    varFloat trackDegreesTrueFromVTG;
    varFloat trackDegreesMagneticFromVTG;
    varFloat speedKnotsFromVTG;
    varFloat speedKmhFromVTG;
    varFloat speedLongKnots;
    varFloat speedTransKnots;

Q_SIGNALS:
    void signalGPS_InputReceived();

public Q_SLOTS:
    void slotIncreaseTimeCounter();

private:
    GPS_Input();
    void countInput(quint64 stamp);
    void finishBurst();

    QTimer receivingTimer;
    int m_inputCounter = 0;
    quint64 m_receivedTimeStamp = 0;
};
