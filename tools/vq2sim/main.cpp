#include "scenario.h"
#include "vq2simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {
int g_signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}
} // namespace

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
    parser.addOptions({link, scenarioFile, recordFile});
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
    if (!simulator.open(parser.value(link), &error)) {
        std::fprintf(stderr, "vq2sim: %s\n", qPrintable(error));
        return 1;
    }

    // Stop cleanly on SIGINT and SIGTERM so that the link is removed.
    if (::pipe(g_signalPipe) != 0) {
        return 1;
    }
    QSocketNotifier stop(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&stop, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    return QCoreApplication::exec();
}
