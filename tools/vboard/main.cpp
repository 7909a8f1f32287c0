// vboard: runs the unit on a virtual board with its equipment around it and shows what it
// does. See VirtualBoard for what is started; Ctrl-C (or --seconds) stops all of it and
// removes the temporary root.
#include "udp_61162_450.h"
#include "usbstickslot.h"
#include "virtualboard.h"

#include "stopsignals.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {
QString besideMe(const QString& program) {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + program;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    // The network library's debug lines would mix with the screen and the plain output.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    QCommandLineParser options;
    options.setApplicationDescription(
        "Runs the speed log's main unit on a virtual board: pseudo-terminals as its serial lines\n"
        "(ttyS0 debug, ttyS1 Nmea_1, ttyS2 Nmea_2), the sensor simulator on ttyS3 (cruise\n"
        "scenario), the navigation simulator on Nmea_1's input, the loopback interface as its\n"
        "network with the display simulator on it (log in ROOT/displaysim.log), a temporary\n"
        "folder as its root. Shows once a second the speeds, depth, water temperature,\n"
        "distances, current and active alerts the unit sends, its standby state, sensor mute\n"
        "and output mode, the sentences and bytes per second of each channel, the display's\n"
        "pairing and heartbeat and the unit's sentences it has not acknowledged, and the end\n"
        "of the unit's log. Ctrl-C stops everything it started.");
    options.addHelpOption();
    const QCommandLineOption plain("plain", "Print the raw sentences the unit sends on Nmea_1, "
                                            "Nmea_2 and the network, and the display's, instead "
                                            "of the screen (for pipes).");
    const QCommandLineOption seconds("seconds", "Stop after N seconds.", "N");
    const QCommandLineOption rootOption("root", "Use DIR as the board root and keep it.", "DIR");
    const QCommandLineOption unit("kc40", "The unit's program (default: kc40 beside vboard).",
                                  "PATH");
    const QCommandLineOption scenario(
        "scenario", "The sensor simulator's scenario (default: the cruise scenario).", "FILE",
        QStringLiteral(VBOARD_DEFAULT_SCENARIO));
    const QCommandLineOption group("group", "The unit's multicast group (default NAVD).", "NAME",
                                   QStringLiteral("NAVD"));
    const QCommandLineOption noDisplay("no-display",
                                       "Run without the display simulator on the network.");
    const QCommandLineOption seaTest(
        "sea-test",
        "Sail a sea test: two reciprocal legs of NM nautical miles, the sensor simulator "
        "measuring the ship (start the legs from the display simulator).",
        "NM");
    const QCommandLineOption displayScript(
        "display-script",
        "Commands for the display simulator once paired (its --script), as the simulation and "
        "demo scripts in tools/displaysim/scripts.",
        "FILE");
    const QCommandLineOption usb(
        "usb",
        "Put a USB stick into the virtual board at DIR (a board started with --root DIR), or "
        "pull it when one is in, and exit; the live view's u key does the same.",
        "DIR");
    options.addOptions({plain, seconds, rootOption, unit, scenario, group, noDisplay, seaTest,
                        displayScript, usb});
    options.process(app);

    if (options.isSet(usb)) {
        const UsbStickSlot slot(QDir(options.value(usb)).absolutePath());
        if (!slot.toggle()) {
            std::fputs("vboard: cannot write the board's mount table\n", stderr);
            return 1;
        }
        std::fputs(slot.inserted() ? "USB stick in\n" : "USB stick pulled\n", stdout);
        return 0;
    }

    int stopAfter = 0;
    if (options.isSet(seconds)) {
        bool ok = false;
        stopAfter = options.value(seconds).toInt(&ok);
        if (!ok || stopAfter <= 0) {
            std::fputs("vboard: --seconds needs a positive number\n", stderr);
            return 2;
        }
    }

    if (UDP_61162_450::groupIndexToName(UDP_61162_450::groupNameToIndex(options.value(group))) !=
        options.value(group)) {
        std::fputs("vboard: --group must be one of MISC TGTD SATD NAVD VDRD RCOM TIME PROP\n",
                   stderr);
        return 2;
    }

    std::unique_ptr<QTemporaryDir> temporary;
    QString root = options.value(rootOption);
    if (root.isEmpty()) {
        temporary = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/vboard-XXXXXX");
        root = temporary->path();
    }
    QDir().mkpath(root);

    if (!quitOnStopSignals(app)) {
        return 1;
    }

    BoardSetup setup;
    setup.root = QDir(root).absolutePath();
    setup.unitBinary = options.isSet(unit) ? options.value(unit) : besideMe("kc40");
    setup.sensorBinary = besideMe("vq2sim");
    setup.navBinary = besideMe("navsim");
    if (!options.isSet(noDisplay)) {
        setup.displayBinary = besideMe("displaysim");
    }
    setup.displayScript = options.value(displayScript);
    setup.scenario = options.value(scenario);
    setup.group = options.value(group);
    setup.plain = options.isSet(plain);
    if (options.isSet(seaTest)) {
        bool ok = false;
        setup.seaTestLeg = options.value(seaTest).toDouble(&ok);
        if (!ok || !(setup.seaTestLeg > 0.0) || setup.seaTestLeg > 100.0) {
            std::fputs("vboard: --sea-test needs a leg length from 0.001 to 100 nm\n", stderr);
            return 2;
        }
    }
    VirtualBoard board(setup);
    if (!board.start()) {
        board.stop();
        return 1;
    }
    if (stopAfter > 0) {
        QTimer::singleShot(stopAfter * 1000, &app, &QCoreApplication::quit);
    }
    const int result = QCoreApplication::exec();
    board.stop();
    return result;
}
