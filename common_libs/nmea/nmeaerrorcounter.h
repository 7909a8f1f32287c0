#pragma once

#include <QObject>

// Reports input faults (parse error codes, datagram error identities) to whoever counts them.
class NmeaErrorCounter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void emitSigError(int errorID) { Q_EMIT sigError(errorID); }

Q_SIGNALS:
    void sigError(int errorID);
};
