// navsim: plays the ship's GPS receiver and gyro compass on a serial line or the standard
// output, for the unit's navigation inputs.
#include "navsimulator.h"

#include "stopsignals.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cmath>
#include <cstdio>

namespace {
struct Range {
    const char* name;
    double low;
    double high;
};

// Reads a number option within its range; false (with a message) for anything else.
bool numberOption(const QCommandLineParser& parser, const QCommandLineOption& option,
                  const Range& range, double& target) {
    if (!parser.isSet(option)) {
        return true;
    }
    bool ok = false;
    const double value = parser.value(option).toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < range.low || value > range.high) {
        std::fprintf(stderr, "navsim: --%s must be a number from %g to %g\n", range.name, range.low,
                     range.high);
        return false;
    }
    target = value;
    return true;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("navsim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Plays a ship's GPS receiver and gyro compass: writes RMC, VTG, HDT, ROT and ZDA once a\n"
        "second from a ship moving at the given speed, course and rate of turn, or sailing the\n"
        "legs of a sea test, until stopped."));
    parser.addHelpOption();
    const QCommandLineOption speed(QStringLiteral("speed"),
                                   QStringLiteral("Speed over ground, knots (default 12)."),
                                   QStringLiteral("kn"));
    const QCommandLineOption course(QStringLiteral("course"),
                                    QStringLiteral("Course and heading, degrees (default 45)."),
                                    QStringLiteral("deg"));
    const QCommandLineOption rateOfTurn(
        QStringLiteral("rot"),
        QStringLiteral("Rate of turn, degrees per minute, negative to port (default 0)."),
        QStringLiteral("deg/min"));
    const QCommandLineOption latitude(
        QStringLiteral("lat"), QStringLiteral("Start latitude, degrees north (default 59.9)."),
        QStringLiteral("deg"));
    const QCommandLineOption longitude(
        QStringLiteral("lon"), QStringLiteral("Start longitude, degrees east (default 10.7)."),
        QStringLiteral("deg"));
    const QCommandLineOption device(
        QStringLiteral("device"),
        QStringLiteral("Serial device to write to (default: the standard output)."),
        QStringLiteral("path"));
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("Baud rate of the device (default 4800)."),
                                  QStringLiteral("rate"), QStringLiteral("4800"));
    const QCommandLineOption legDistance(
        QStringLiteral("leg-distance"),
        QStringLiteral("Sail legs of this length for a sea test: straight, then turn back onto\n"
                       "the reciprocal course; stop after the last leg."),
        QStringLiteral("nm"));
    const QCommandLineOption legs(QStringLiteral("legs"),
                                  QStringLiteral("Number of legs (default 2)."),
                                  QStringLiteral("n"), QStringLiteral("2"));
    const QCommandLineOption shipFile(
        QStringLiteral("ship-file"),
        QStringLiteral("Leave the ship's speeds here once a second, for vq2sim --follow."),
        QStringLiteral("path"));
    parser.addOptions({speed, course, rateOfTurn, latitude, longitude, device, baud, legDistance,
                       legs, shipFile});
    parser.process(app);

    ShipState start;
    start.utc = QDateTime::currentDateTimeUtc();
    if (!numberOption(parser, speed, {"speed", 0.0, 99.9}, start.speed) ||
        !numberOption(parser, course, {"course", 0.0, 360.0}, start.course) ||
        !numberOption(parser, rateOfTurn, {"rot", -720.0, 720.0}, start.rateOfTurn) ||
        !numberOption(parser, latitude,
                      {"lat", -ShipMotion::kMaxLatitude, ShipMotion::kMaxLatitude},
                      start.latitude) ||
        !numberOption(parser, longitude, {"lon", -180.0, 180.0}, start.longitude)) {
        return 2;
    }
    double legLength = 0.0;
    double legCount = 2.0;
    if (!numberOption(parser, legDistance, {"leg-distance", 0.001, 100.0}, legLength) ||
        !numberOption(parser, legs, {"legs", 1.0, 100.0}, legCount)) {
        return 2;
    }
    const int baudRate = parser.value(baud).toInt();
    if (!SerialOutput::isSupportedBaud(baudRate)) {
        std::fprintf(stderr, "navsim: --baud must be 4800, 9600, 19200, 38400, 57600 or 115200\n");
        return 2;
    }
    SerialOutput output;
    QString error;
    if (!output.open(parser.value(device), baudRate, &error)) {
        std::fprintf(stderr, "navsim: %s\n", qPrintable(error));
        return 1;
    }

    if (!quitOnStopSignals(app)) {
        return 1;
    }

    NavSimulator simulator(start, output);
    if (parser.isSet(legDistance)) {
        simulator.sailLegs(legLength, static_cast<int>(legCount));
    }
    simulator.setShipFile(parser.value(shipFile));
    simulator.start();
    return QCoreApplication::exec();
}
