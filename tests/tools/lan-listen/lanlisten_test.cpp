#include "datagramreport.h"
#include "multicastsocket.h"
#include "multicasttesting.h"

#include <QJsonDocument>
#include <QProcess>

#include <gtest/gtest.h>

namespace {
struct ReportCase {
    const char* name;
    QByteArray datagram;
    QStringList expected; // each line's report, compact JSON
};

TEST(DatagramReport, DescribesEachLine) {
    const ReportCase cases[] = {
        {"a good group",
         wire("\\g:1-2-1,s:VD0101,n:001*51\\$GPZZZ,1*50\r\n"
              "\\g:2-2-1,s:VD0101,n:002*51\\$GPZZZ,1*51\r\n"),
         {R"({"line":1,"lines":2,"sentence":"$GPZZZ,1*50","sentenceChecksumOk":true,"status":0,)"
          R"("tagChecksumOk":true,"tags":{"g":"1-2-1","n":"001","s":"VD0101"},"valid":true})",
          R"({"line":2,"lines":2,"sentence":"$GPZZZ,1*51","sentenceChecksumOk":false,"status":0,)"
          R"("tagChecksumOk":true,"tags":{"g":"2-2-1","n":"002","s":"VD0101"},"valid":false})"}},
        {"bad tag block checksum",
         wire("\\s:II0102*4B\\$GPZZZ,1*50\r\n"),
         {R"({"line":1,"lines":1,"sentence":"$GPZZZ,1*50","sentenceChecksumOk":true,)"
          R"("status":10,"tagChecksumOk":false,"tags":{"s":"II0102"},"valid":false})"}},
        {"no tag block",
         wire("$GPZZZ,1*50\r\n"),
         {R"({"line":1,"lines":1,"status":7,"text":"$GPZZZ,1*50","valid":false})"}},
        {"text after the last line",
         wire("junk"),
         {R"({"bytes":10,"error":"text after the last line end: junk"})"}},
        {"no header", "hello", {R"({"bytes":5,"error":"no UdPbC header"})"}},
    };
    for (const ReportCase& c : cases) {
        QStringList reported;
        for (const QJsonObject& line : DatagramReport::describe(c.datagram)) {
            reported << QString::fromUtf8(QJsonDocument(line).toJson(QJsonDocument::Compact));
        }
        EXPECT_EQ(reported, c.expected) << c.name;
    }
}

// The listener as a service engineer runs it, against datagrams on the loopback interface.
TEST(LanListen, PrintsTheLinesOfDatagramsOnAGroup) {
    REQUIRE_LOOPBACK_MULTICAST();
    QProcess listener;
    listener.start(LAN_LISTEN_PATH, {"--group", "TIME", "--if", "lo", "--count", "1"});
    ASSERT_TRUE(listener.waitForStarted());
    MulticastSocket sender;
    ASSERT_TRUE(sender.open(QHostAddress("239.192.0.7"), 60007, "lo"));
    // The listener joins shortly after it starts: send until it has heard one.
    for (int attempt = 0; attempt < 50 && !listener.waitForFinished(100); ++attempt) {
        sender.send(wire("\\s:II0102*4A\\$GPZZZ,1*50\r\n"));
    }
    ASSERT_EQ(listener.state(), QProcess::NotRunning);
    EXPECT_EQ(listener.exitCode(), 0);
    const QByteArray printed = listener.readAllStandardOutput();
    EXPECT_EQ(printed.count('\n'), 1) << printed.toStdString();
    EXPECT_TRUE(printed.contains(R"("tags":{"s":"II0102"},"valid":true})"))
        << printed.toStdString();
}

} // namespace
