#include "datagramreport.h"
#include "multicastsocket.h"
#include "udp_61162_450.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonDocument>
#include <QLoggingCategory>

#include <cstdio>

// Joins one IEC 61162-450 group on one interface and prints every line of every datagram
// heard as a JSON object on its own line.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    // The library's debug lines would mix with the JSON on the output.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));

    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("Prints the lines of IEC 61162-450 datagrams, one JSON object per line."));
    options.addHelpOption();
    const QCommandLineOption group(QStringLiteral("group"),
                                   QStringLiteral("Group name: MISC TGTD SATD NAVD VDRD RCOM "
                                                  "TIME PROP (default NAVD)."),
                                   QStringLiteral("name"), QStringLiteral("NAVD"));
    const QCommandLineOption address(QStringLiteral("address"),
                                     QStringLiteral("Multicast address instead of a group."),
                                     QStringLiteral("ip"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port, with --address."),
                                  QStringLiteral("port"));
    const QCommandLineOption networkInterface(
        QStringLiteral("if"), QStringLiteral("Interface to join on (default eth0)."),
        QStringLiteral("name"), QStringLiteral("eth0"));
    const QCommandLineOption count(QStringLiteral("count"),
                                   QStringLiteral("Exit after this many datagrams."),
                                   QStringLiteral("n"));
    options.addOptions({group, address, port, networkInterface, count});
    options.process(app);

    QHostAddress groupAddress;
    quint16 groupPort = 0;
    if (options.isSet(address)) {
        bool ok = false;
        groupAddress = QHostAddress(options.value(address));
        groupPort = options.value(port).toUShort(&ok);
        if (groupAddress.isNull() || !ok) {
            std::fputs("lan-listen: --address needs a valid address and --port\n", stderr);
            return 2;
        }
    } else {
        const int index = UDP_61162_450::groupNameToIndex(options.value(group));
        groupAddress = UDP_61162_450::groupIpAddress(index);
        groupPort = UDP_61162_450::groupPort(index);
    }

    MulticastSocket socket;
    if (!socket.open(groupAddress, groupPort, options.value(networkInterface))) {
        std::fprintf(stderr, "lan-listen: cannot join %s:%u on %s\n",
                     qPrintable(groupAddress.toString()), groupPort,
                     qPrintable(options.value(networkInterface)));
        return 1;
    }
    int remaining = options.isSet(count) ? options.value(count).toInt() : -1;
    QObject::connect(
        &socket, &MulticastSocket::sigDatagrams, [&remaining](const QList<QByteArray>& datagrams) {
            for (const QByteArray& datagram : datagrams) {
                for (const QJsonObject& line : DatagramReport::describe(datagram)) {
                    std::printf("%s\n",
                                QJsonDocument(line).toJson(QJsonDocument::Compact).constData());
                }
                std::fflush(stdout);
                if (remaining > 0 && --remaining == 0) {
                    QCoreApplication::quit();
                    return;
                }
            }
        });
    return QCoreApplication::exec();
}
