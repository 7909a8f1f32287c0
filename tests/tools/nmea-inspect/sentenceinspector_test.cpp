#include "sentenceinspector.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

namespace {
struct InspectCase {
    const char* name;
    QByteArray line;
    const char* className;
    int error;
    const char* field;
    QJsonValue value;
};

TEST(SentenceInspector, NamesClassErrorAndFields) {
    const InspectCase cases[] = {
        {"line feed only", "$GPHDT,123.4,T*31\n", "MsgHDT", 0, "headingDegrees", 123.4},
        {"carriage return and line feed", "$GPHDT,123.4,T*31\r\n", "MsgHDT", 0, "statusTrue", "T"},
        {"an absent value is null", "$VDVBW,12.3,0.1,A,,,V,0.2,A,,V*4C\n", "MsgVBW", 0,
         "longitudinalGroundSpeed", QJsonValue::Null},
        {"a rejected sentence still lists its fields", "$PNRVDAT,1,2\n", "MsgDAT", 9, "systemID",
         QJsonValue::Null},
        {"bad checksum", "$GPHDT,123.4,T*30\n", "MsgErr", 8, nullptr, {}},
        {"unknown", "!AIVDM,1,1,,A,13aG*1E\n", "MsgUnknown", 0, nullptr, {}},
    };
    for (const InspectCase& c : cases) {
        const QJsonObject json = SentenceInspector::describe(SentenceInspector::asSentence(c.line));
        EXPECT_EQ(json.value("class").toString(), QLatin1String(c.className)) << c.name;
        EXPECT_EQ(json.value("error").toInt(), c.error) << c.name;
        if (c.field != nullptr) {
            EXPECT_EQ(json.value("fields").toObject().value(QLatin1String(c.field)), c.value)
                << c.name;
        }
    }
}

TEST(SentenceInspector, RebuildsFromTheFields) {
    const QJsonObject json = SentenceInspector::describe(QStringLiteral("$GPHDT,0123.40,T*31\r\n"));
    EXPECT_EQ(json.value("rebuilt").toString(), "$GPHDT,123.4,T*31\r\n");
}

struct RunCase {
    const char* name;
    QStringList arguments;
    QByteArray input;
    int exitCode;
    int lines; // each a JSON object
};

TEST(NmeaInspect, ExitsNonZeroOnlyOnUnreadableInput) {
    const RunCase cases[] = {
        {"standard input", {}, "$GPHDT,123.4,T*31\n\n$PNRVMACA\n", 0, 2},
        {"bad sentences are not fatal", {"-"}, "garbage\n$PNRVDAT,1,2\n", 0, 2},
        {"missing file", {"/nonexistent/sentences.txt"}, {}, 2, 0},
        {"missing device", {"--device", "/nonexistent/tty"}, {}, 2, 0},
        {"bad baud rate", {"--device", "/dev/null", "--baud", "x"}, {}, 2, 0},
    };
    for (const RunCase& c : cases) {
        QProcess process;
        process.start(QStringLiteral(NMEA_INSPECT_PROGRAM), c.arguments);
        ASSERT_TRUE(process.waitForStarted()) << c.name;
        process.write(c.input);
        process.closeWriteChannel();
        ASSERT_TRUE(process.waitForFinished()) << c.name;
        EXPECT_EQ(process.exitCode(), c.exitCode) << c.name;
        const QByteArray out = process.readAllStandardOutput();
        EXPECT_EQ(out.count('\n'), c.lines) << c.name;
        for (const QByteArray& line : out.split('\n')) {
            EXPECT_TRUE(line.isEmpty() || QJsonDocument::fromJson(line).isObject()) << c.name;
        }
    }
}
} // namespace
