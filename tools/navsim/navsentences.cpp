#include "navsentences.h"

#include "msghdt.h"
#include "msgrmc.h"
#include "msgrot.h"
#include "msgvtg.h"
#include "msgzda.h"

#include <cmath>

namespace {
const QString kGps = QStringLiteral("GP");
const QString kCompass = QStringLiteral("HE");
constexpr double kKilometresPerNauticalMile = 1.852;

QByteArray text(NmeaMessage& sentence, const QString& talker) {
    sentence.setTalkerID(talker);
    return sentence.getMsgBuffer().toLatin1();
}

QString timeText(const QDateTime& utc) {
    return utc.toUTC().toString(QStringLiteral("HHmmss.zzz")).left(9);
}

// A direction as written with one decimal: 359.96 becomes 0.0, never 360.0.
float direction(double degrees) {
    const double tenths = std::round(degrees * 10.0);
    return static_cast<float>(std::fmod(tenths, 3600.0) / 10.0);
}

NavSentences::Coordinate coordinate(double degrees, const char* positive, const char* negative) {
    // Minutes are rounded before they are joined to the degrees, so that 59.999 minutes become
    // the next whole degree and never the impossible 60.00.
    const double magnitude = std::fabs(degrees);
    double whole = std::floor(magnitude);
    double hundredths = std::round((magnitude - whole) * 6000.0);
    if (hundredths >= 6000.0) {
        whole += 1.0;
        hundredths = 0.0;
    }
    return {static_cast<float>(whole * 100.0 + hundredths / 100.0),
            QLatin1String(degrees < 0.0 ? negative : positive)};
}
} // namespace

namespace NavSentences {

Coordinate latitude(double degrees) {
    return coordinate(degrees, "N", "S");
}

Coordinate longitude(double degrees) {
    return coordinate(degrees, "E", "W");
}

QByteArray rmc(const ShipState& ship) {
    const Coordinate lat = latitude(ship.latitude);
    const Coordinate lon = longitude(ship.longitude);
    MsgRMC sentence(timeText(ship.utc), QStringLiteral("A"), lat.value, lat.hemisphere, lon.value,
                    lon.hemisphere, static_cast<float>(ship.speed), direction(ship.course),
                    ship.utc.toUTC().toString(QStringLiteral("ddMMyy")), kAbsentFloat, QString(),
                    QStringLiteral("A"), QStringLiteral("S"));
    return text(sentence, kGps);
}

QByteArray vtg(const ShipState& ship) {
    MsgVTG sentence(direction(ship.course), QStringLiteral("T"), kAbsentFloat, QStringLiteral("M"),
                    static_cast<float>(ship.speed), QStringLiteral("N"),
                    static_cast<float>(ship.speed * kKilometresPerNauticalMile),
                    QStringLiteral("K"), QStringLiteral("A"));
    return text(sentence, kGps);
}

QByteArray hdt(const ShipState& ship) {
    MsgHDT sentence(direction(ship.course), QStringLiteral("T"));
    return text(sentence, kCompass);
}

QByteArray rot(const ShipState& ship) {
    MsgROT sentence(static_cast<float>(ship.rateOfTurn), QStringLiteral("A"));
    return text(sentence, kCompass);
}

QByteArray zda(const ShipState& ship) {
    const QDateTime utc = ship.utc.toUTC();
    MsgZDA sentence(timeText(utc), utc.date().day(), utc.date().month(), utc.date().year(), 0, 0);
    return text(sentence, kGps);
}

QList<QByteArray> all(const ShipState& ship) {
    return {rmc(ship), vtg(ship), hdt(ship), rot(ship), zda(ship)};
}

} // namespace NavSentences
