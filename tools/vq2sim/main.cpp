#include "scenario.h"
#include "vq2simulator.h"

#include "stopsignals.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QCryptographicHash>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vq2sim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Plays the Doppler sensor on a pseudo-terminal until stopped.\n\n") +
        Scenario::help());
    parser.addHelpOption();
    const QCommandLineOption link(QStringLiteral("pty-link"),
                                  QStringLiteral("Link the line's slave side here."),
                                  QStringLiteral("path"));
    const QCommandLineOption scenarioFile(
        QStringLiteral("scenario"), QStringLiteral("Scenario JSON file."), QStringLiteral("file"));
    const QCommandLineOption recordFile(QStringLiteral("record"),
                                        QStringLiteral("Append what is received as JSON lines."),
                                        QStringLiteral("file"));
    const QCommandLineOption follow(
        QStringLiteral("follow"),
        QStringLiteral(
            "Measure the ship's speeds navsim leaves in this file (navsim --ship-file)."),
        QStringLiteral("file"));
    parser.addOptions({link, scenarioFile, recordFile, follow});
    parser.process(app);

    if (!parser.isSet(link)) {
        std::fprintf(stderr, "vq2sim: --pty-link is required (see --help)\n");
        return 2;
    }
    Scenario scenario;
    QString error;
    if (parser.isSet(scenarioFile) &&
        !Scenario::load(parser.value(scenarioFile), scenario, &error)) {
        std::fprintf(stderr, "vq2sim: %s\n", qPrintable(error));
        return 2;
    }
    Vq2Simulator simulator(scenario);
    if (parser.isSet(recordFile) && !simulator.setRecordFile(parser.value(recordFile))) {
        std::fprintf(stderr, "vq2sim: cannot write %s\n", qPrintable(parser.value(recordFile)));
        return 2;
    }
    simulator.followShip(parser.value(follow));
    // What a service engineer compares with the image that was sent.
    QObject::connect(&simulator, &Vq2Simulator::firmwareMode, [](bool on) {
        std::printf("vq2sim: %s\n", on ? "firmware mode at 115200 baud"
                                       : "firmware mode left, measuring at 4800 baud");
        std::fflush(stdout);
    });
    QObject::connect(&simulator, &Vq2Simulator::firmwareLoaded, [](const QByteArray& image) {
        const QByteArray md5 = QCryptographicHash::hash(image, QCryptographicHash::Md5).toHex();
        std::printf("vq2sim: new firmware loaded: %lld pages, MD5 %s (the image as sent, its last "
                    "page padded with zeros)\n",
                    static_cast<long long>(image.size() / FlashProm::kPageSize), md5.constData());
        std::fflush(stdout);
    });
    if (!simulator.open(parser.value(link), &error)) {
        std::fprintf(stderr, "vq2sim: %s\n", qPrintable(error));
        return 1;
    }

    if (!quitOnStopSignals(app)) {
        return 1;
    }
    return QCoreApplication::exec();
}
