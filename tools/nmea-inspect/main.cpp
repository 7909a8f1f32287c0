#include "sentenceframer.h"
#include "sentenceinspector.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QSerialPort>
#include <QTextStream>

#include <cstdio>

namespace {
void print(const QString& sentence) {
    const QByteArray json =
        QJsonDocument(SentenceInspector::describe(sentence)).toJson(QJsonDocument::Compact);
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

int fail(const QString& text) {
    QTextStream(stderr) << "nmea-inspect: " << text << '\n';
    return 2;
}

int inspectLines(QIODevice& input) {
    while (!input.atEnd()) {
        const QByteArray line = input.readLine();
        if (!line.trimmed().isEmpty()) {
            print(SentenceInspector::asSentence(line));
        }
    }
    return 0;
}

int inspectSerial(QCoreApplication& app, const QString& device, int baud) {
    QSerialPort port(device);
    port.setBaudRate(baud);
    if (!port.open(QIODevice::ReadOnly)) {
        return fail(QStringLiteral("cannot open %1: %2").arg(device, port.errorString()));
    }
    SentenceFramer framer;
    QObject::connect(&port, &QSerialPort::readyRead, [&] {
        for (const QString& sentence : framer.append(port.readAll()).sentences) {
            print(sentence);
        }
    });
    QObject::connect(&port, &QSerialPort::errorOccurred, [&](QSerialPort::SerialPortError error) {
        if (error != QSerialPort::NoError) {
            app.exit(fail(QStringLiteral("%1: %2").arg(device, port.errorString())));
        }
    });
    return app.exec();
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("nmea-inspect"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Parses NMEA 0183 sentences as the unit does and prints one JSON object per sentence:\n"
        "class, talker, manufacturer, identifier, full type, dispatch key, error code and name,\n"
        "every field by name (absent values as null), the received text and the sentence as the\n"
        "class rebuilds it. Reads FILE, or standard input when no FILE (or \"-\") is given, or a\n"
        "serial device with --device. A line's ending is taken as CR LF.\n"
        "Exits 2 when the input cannot be read; a bad sentence is reported, not fatal."));
    parser.addHelpOption();
    const QCommandLineOption deviceOption(QStringLiteral("device"),
                                          QStringLiteral("Read from the serial device <path>."),
                                          QStringLiteral("path"));
    const QCommandLineOption baudOption(QStringLiteral("baud"),
                                        QStringLiteral("Baud rate of the device (default 4800)."),
                                        QStringLiteral("rate"), QStringLiteral("4800"));
    parser.addOption(deviceOption);
    parser.addOption(baudOption);
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("File of sentences, one a line."),
                                 QStringLiteral("[file]"));
    parser.process(app);

    if (parser.isSet(deviceOption)) {
        bool ok = false;
        const int baud = parser.value(baudOption).toInt(&ok);
        if (!ok || baud <= 0) {
            return fail(QStringLiteral("bad baud rate %1").arg(parser.value(baudOption)));
        }
        return inspectSerial(app, parser.value(deviceOption), baud);
    }
    const QStringList files = parser.positionalArguments();
    QFile input;
    const bool opened = files.isEmpty() || files.first() == QLatin1String("-")
                            ? input.open(stdin, QIODevice::ReadOnly)
                            : (input.setFileName(files.first()), input.open(QIODevice::ReadOnly));
    if (!opened) {
        return fail(
            QStringLiteral("cannot read %1: %2").arg(input.fileName(), input.errorString()));
    }
    return inspectLines(input);
}
