#pragma once

#include "shipmotion.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The sentences a GPS receiver and a gyro compass send about the ship, once a second:
//   $GPRMC,hhmmss.ss,A,ddmm.mm,N,dddmm.mm,E,sog,cog,ddmmyy,,,A,S*hh
//   $GPVTG,cog,T,,M,sog,N,kmh,K,A*hh
//   $HEHDT,heading,T*hh
//   $HEROT,rateOfTurn,A*hh
//   $GPZDA,hhmmss.ss,dd,mm,yyyy,00,00*hh
// Each one complete with checksum and CR LF.
namespace NavSentences {
QByteArray rmc(const ShipState& ship);
QByteArray vtg(const ShipState& ship);
QByteArray hdt(const ShipState& ship);
QByteArray rot(const ShipState& ship);
QByteArray zda(const ShipState& ship);
// All five, in the order above.
QList<QByteArray> all(const ShipState& ship);

// A position in degrees as the sentences carry it: degrees times 100 plus minutes rounded to
// hundredths (59.5 gives 5930.00), and the hemisphere letter.
struct Coordinate {
    float value;
    QString hemisphere;
};
Coordinate latitude(double degrees);
Coordinate longitude(double degrees);
} // namespace NavSentences
