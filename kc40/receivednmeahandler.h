#pragma once

#include "nmeaerrorcounter.h"
#include "nmeamessage.h"

#include <QObject>

// Takes every received sentence by its source: 0 network, 1 Nmea_1, 2 Nmea_2, -1 sensor.
// For now it logs what arrives; the handling of each sentence comes with the received-sentence
// routing.
class ReceivedNmeaHandler : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    static NmeaErrorCounter errorCounter;

    void handleReceived(const NmeaMessagePtr& message, int source);
    void handleMessages(const NmeaMessagePtr& message, int source);
};
