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
        "second from a ship moving at the given speed, course and rate of turn, until stopped."));
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
    parser.addOptions({speed, course, rateOfTurn, latitude, longitude, device, baud});
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
    simulator.start();
    return QCoreApplication::exec();
}
