#pragma once

#include "setuprecord.h"

#include <QObject>

// Trip and total distance through the water in nautical miles, file "total_trip_setup".
struct TripTotal_Setup_s {
    Q_GADGET
    Q_PROPERTY(float totalDistance MEMBER totalDistance)
    Q_PROPERTY(float tripDistance MEMBER tripDistance)
public:
    float totalDistance = 0.0f;
    float tripDistance = 0.0f;
};

// Trip and total distance over ground, file "total_trip_SOG_setup"; the validity flags are
// stored as numbers.
struct triptotal_SOG_setup_s {
    Q_GADGET
    Q_PROPERTY(float totalDistance MEMBER totalDistance)
    Q_PROPERTY(float tripDistance MEMBER tripDistance)
    Q_PROPERTY(float tripValid MEMBER tripValid)
    Q_PROPERTY(float totalValid MEMBER totalValid)
public:
    float totalDistance = 0.0f;
    float tripDistance = 0.0f;
    float tripValid = 1.0f;
    float totalValid = 1.0f;
};

// Both distance records behave alike: defaults are zero distances, and the display's
// setting marks the record received only when it says so.
template <class S> class DistanceRecord : public SetupRecord<S> {
public:
    void getDefaults(int) override {
        this->m_s = S{};
        this->writeSetup();
    }
    void setTotalTrip(float total, float trip, bool received) {
        this->m_s.totalDistance = total;
        this->m_s.tripDistance = trip;
        if (received) {
            this->m_setupReceivedFlag = true;
        }
        this->writeSetup();
    }

protected:
    explicit DistanceRecord(const QString& fileName) : SetupRecord<S>(fileName) {
        this->readSetup();
    }
};

class TripTotal_Setup : public DistanceRecord<TripTotal_Setup_s> {
public:
    TripTotal_Setup() : DistanceRecord(QStringLiteral("total_trip_setup")) {}
};

class triptotal_SOG_setup : public DistanceRecord<triptotal_SOG_setup_s> {
public:
    triptotal_SOG_setup() : DistanceRecord(QStringLiteral("total_trip_SOG_setup")) {}
};
