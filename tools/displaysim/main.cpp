// displaysim: a display unit on the ship's network that pairs with the unit, beats its heart,
// acknowledges what the unit wants acknowledged and sends the operator's sentences.
#include "displaysimulator.h"
#include "stdinlines.h"

#include "stopsignals.h"
#include "udp_61162_450.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTimer>

#include <cstdio>

namespace {
bool fail(const QString& why) {
    std::fprintf(stderr, "displaysim: %s\n", qPrintable(why));
    return false;
}

// A system-function identifier: talker and four digits, six characters in all.
bool isSfi(const QString& text) {
    return QRegularExpression(QStringLiteral("^[A-Z]{2}[0-9]{4}$")).match(text).hasMatch();
}

// Text that fits one sentence field: none of the characters that frame fields and sentences.
bool isFieldText(const QString& text) {
    return !text.isEmpty() && !text.contains(QRegularExpression(QStringLiteral("[,*$!\\\\\\s]")));
}

// The commands of a script file, in order; false (with every bad line named) when it has any.
bool readScript(const QString& path, QList<Command>& commands) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return fail(QStringLiteral("cannot read %1").arg(path));
    }
    bool good = true;
    int number = 0;
    while (!file.atEnd()) {
        ++number;
        const ParsedLine parsed = CommandParser::parseLine(QString::fromLocal8Bit(file.readLine()));
        if (!parsed.error.isEmpty()) {
            good = fail(QStringLiteral("%1:%2: %3").arg(path).arg(number).arg(parsed.error));
        } else if (parsed.command) {
            commands << *parsed.command;
        }
    }
    return good;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("displaysim"));
    // The network library's debug lines would mix with what the display prints.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    const DisplayIdentity defaults;
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral(
        "Plays a display unit on the unit's IEC 61162-450 multicast group.\n"
        "\n"
        "Every sentence it sends carries its own identifier as source, a line counter and the\n"
        "unit as destination. It asks the unit to pair ($PNRVIDM,1,1,Request,<version>,<mac>)\n"
        "every 3 s until the unit confirms, every 15 s after a refusal. Once paired it sends its\n"
        "heartbeat ($PNRVIDM,1,40,<sfi>,<mac>) at once and every 10 s; after 90 s without a word\n"
        "from the unit it asks again. It acknowledges the unit's configuration, command and\n"
        "alarm-list sentences (ICM 5 to 16, 18, 21, 24, 25, 27, 28, 33, 39, IDM 11, ALRS, DDC)\n"
        "with IDM 0: $PNRVIDM,1,0,0,<type> for a lone sentence, $PNRVIDM,1,0,1,<types of all\n"
        "its sentences> for a datagram of several; type is ICM or IDM with the command number.\n"
        "\n"
        "Commands run in order once the unit has confirmed the pairing, or after 15 s without\n"
        "(with a warning): first every --send, then the --script, then what arrives on the\n"
        "standard input, one a line:\n"
        "  send <sentence>   the sentence to the unit, \"$\" and checksum optional\n"
        "                    (send PNRVICM,1,9,1 asks for standby)\n"
        "  wait <seconds>    holds the commands that follow\n"
        "  ack on|off        acknowledges the unit's sentences, or stops doing so\n"
        "  # comment         as blank lines, nothing\n"
        "\n"
        "It prints every sentence heard from the unit (time, source -> destination, \"*\" for\n"
        "everyone, full type and fields) and its own events: pairing requests and answers,\n"
        "heartbeats, acknowledgements, sent commands. Ctrl-C stops it."));
    options.addHelpOption();
    const QCommandLineOption group(
        QStringLiteral("group"),
        QStringLiteral("The unit's group: MISC TGTD SATD NAVD VDRD RCOM TIME PROP (default NAVD)."),
        QStringLiteral("name"), QStringLiteral("NAVD"));
    const QCommandLineOption networkInterface(
        QStringLiteral("interface"), QStringLiteral("The interface to join on (default lo)."),
        QStringLiteral("if"), QStringLiteral("lo"));
    const QCommandLineOption sfi(
        QStringLiteral("sfi"),
        QStringLiteral("The display's system-function identifier (default %1).").arg(defaults.sfi),
        QStringLiteral("sfi"), defaults.sfi);
    const QCommandLineOption mac(
        QStringLiteral("mac"),
        QStringLiteral("The display's MAC address (default %1).").arg(defaults.mac),
        QStringLiteral("mac"), defaults.mac);
    const QCommandLineOption unit(
        QStringLiteral("unit"),
        QStringLiteral("The unit's system-function identifier (default %1).").arg(defaults.unitSfi),
        QStringLiteral("sfi"), defaults.unitSfi);
    const QCommandLineOption version(
        QStringLiteral("version"),
        QStringLiteral("The software version it pairs with (default %1).").arg(defaults.version),
        QStringLiteral("version"), defaults.version);
    const QCommandLineOption noAck(QStringLiteral("no-ack"),
                                   QStringLiteral("Start without acknowledging."));
    const QCommandLineOption send(
        QStringLiteral("send"),
        QStringLiteral(
            "A sentence to send, as \"PNRVICM,1,15,0,9600,0,1,0,0,1,1,2,1\" (repeatable)."),
        QStringLiteral("sentence"));
    const QCommandLineOption script(QStringLiteral("script"),
                                    QStringLiteral("Commands from a file, one a line."),
                                    QStringLiteral("file"));
    const QCommandLineOption quiet(
        QStringLiteral("quiet"),
        QStringLiteral("Print only its own events, not the sentences heard from the unit."));
    const QCommandLineOption seconds(QStringLiteral("seconds"),
                                     QStringLiteral("Stop after N seconds."), QStringLiteral("N"));
    options.addOptions(
        {group, networkInterface, sfi, mac, unit, version, noAck, send, script, quiet, seconds});
    options.process(app);

    DisplaySetup setup;
    setup.identity = {options.value(sfi), options.value(mac), options.value(version),
                      options.value(unit)};
    setup.group = options.value(group);
    setup.interfaceName = options.value(networkInterface);
    setup.quiet = options.isSet(quiet);
    setup.acknowledge = !options.isSet(noAck);

    if (UDP_61162_450::groupIndexToName(UDP_61162_450::groupNameToIndex(setup.group)) !=
        setup.group) {
        fail(QStringLiteral("--group must be one of MISC TGTD SATD NAVD VDRD RCOM TIME PROP"));
        return 2;
    }
    if (!isSfi(setup.identity.sfi) || !isSfi(setup.identity.unitSfi)) {
        fail(QStringLiteral("--sfi and --unit take a talker and four digits, as VD0101"));
        return 2;
    }
    if (!isFieldText(setup.identity.mac) || !isFieldText(setup.identity.version)) {
        fail(QStringLiteral("--mac and --version must fit a sentence field (no , * $ ! \\ or "
                            "spaces)"));
        return 2;
    }
    int stopAfter = 0;
    if (options.isSet(seconds)) {
        bool ok = false;
        stopAfter = options.value(seconds).toInt(&ok);
        if (!ok || stopAfter <= 0) {
            fail(QStringLiteral("--seconds needs a positive number"));
            return 2;
        }
    }
    QList<Command> commands;
    bool commandsGood = true;
    for (const QString& body : options.values(send)) {
        const ParsedLine parsed = CommandParser::parseSentence(body);
        if (parsed.command) {
            commands << *parsed.command;
        } else {
            commandsGood = fail(QStringLiteral("--send %1: %2").arg(body, parsed.error));
        }
    }
    if (options.isSet(script)) {
        commandsGood = readScript(options.value(script), commands) && commandsGood;
    }
    if (!commandsGood) {
        return 2;
    }

    if (!quitOnStopSignals(app)) {
        return 1;
    }
    DisplaySimulator display(setup);
    for (const Command& command : commands) {
        display.addCommand(command);
    }
    if (!display.start()) {
        return 1;
    }
    StdinLines input;
    QObject::connect(&input, &StdinLines::line, &display, &DisplaySimulator::addInputLine);
    if (stopAfter > 0) {
        QTimer::singleShot(stopAfter * 1000, &app, &QCoreApplication::quit);
    }
    return QCoreApplication::exec();
}
