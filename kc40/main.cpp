#include "compiledateandtime.h"
#include "logger.h"
#include "mainhandler.h"
#include "platform.h"
#include "startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <optional>

namespace {
const char* const kUsage =
    "Usage: kc40 [-qws] [-Version] [--root DIR] [--net-if IF]\n"
    "\n"
    "Main-unit software of the speed log's junction box.\n"
    "\n"
    "  -Version      write the twelve-digit build stamp to \"norvane_version\" in the\n"
    "                application folder and exit; nothing else is started\n"
    "  -qws          accepted for compatibility and ignored (the unit restarts itself with it)\n"
    "  --root DIR    run as a virtual board: every board path lives under DIR\n"
    "                (DIR/opt is the application folder, DIR/dev/ttyS0..3 the serial lines,\n"
    "                DIR/sys/class/gpio, DIR/etc/mtab, DIR/media/usb0, ...); board shell\n"
    "                commands are recorded in DIR/board_commands instead of run\n"
    "  --net-if IF   the host network interface that plays the board's \"eth0\" (default eth0)\n"
    "  --help        show this text\n";

struct Options {
    bool version = false;
    bool help = false;
    QString root;
    QString netIf = QStringLiteral("eth0");
};

std::optional<Options> parseOptions(const QStringList& arguments) {
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("-Version")) {
            options.version = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.help = true;
        } else if (argument == QLatin1String("--root") || argument == QLatin1String("--net-if")) {
            if (i + 1 >= arguments.size()) {
                std::fprintf(stderr, "kc40: %s needs a value\n", qPrintable(argument));
                return std::nullopt;
            }
            (argument == QLatin1String("--root") ? options.root : options.netIf) = arguments[++i];
        }
    }
    return options;
}

// Lets service scripts and the virtual board find the running unit.
void writePidFile() {
    const QString path = Platform::path(QStringLiteral("/var/run/kc40.pid"));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(QByteArray::number(QCoreApplication::applicationPid()) + '\n');
    }
}
} // namespace

int main(int argc, char* argv[]) {
    // The unit outlives whoever reads its console (a restarted copy inherits it): a closed
    // reader must not end the process.
    std::signal(SIGPIPE, SIG_IGN);
    // The plain poll() event dispatcher: the unit needs nothing of glib's main loop, whose
    // bookkeeping runs at every one of the many wake-ups a second.
    qputenv("QT_NO_GLIB", "1");
    QCoreApplication app(argc, argv);
    // The libraries log through their categories; their lines join the unit's log from the
    // first start-up step on.
    Logger::collectLibraryMessages();
    const std::optional<Options> options = parseOptions(QCoreApplication::arguments());
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (options->help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    Platform::configure(options->root, options->netIf);

    const QString stamp = CompileDateAndTime::getCompileTimestampAsNumber();
    const QByteArray bar(70, '!');
    std::fprintf(stderr, "%s\n%s\n%s\n", bar.constData(), qPrintable(stamp), bar.constData());

    if (options->version) {
        return StartUp::writeVersionFile(stamp) ? 0 : 1;
    }

    StartUp::deliverConfiguration();
    const StartMode mode = StartUp::chooseStartMode();
    if (mode != StartMode::Normal) {
        std::fputs("Restarting the app...\n", stderr);
        if (StartUp::prepareSetupFiles(mode) && Platform::relaunch()) {
            return 0;
        }
        Logger::instance()->append(
            QStringLiteral("Start-up preparation did not complete; running without restart"),
            Logger::LOG_ERROR);
    }

    Logger::instance()->echoWhenIdle();
    MainHandler mainHandler;
    writePidFile();
    std::fputs("...\n", stderr);
    return QCoreApplication::exec();
}
