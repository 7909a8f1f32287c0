#include "casename.h"
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
void PrintTo(const InspectCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class Inspection : public ::testing::TestWithParam<InspectCase> {};

TEST_P(Inspection, NamesClassErrorAndFields) {
    const InspectCase& c = GetParam();
    const QJsonObject json = SentenceInspector::describe(SentenceInspector::asSentence(c.line));
    EXPECT_EQ(json.value("class").toString(), QLatin1String(c.className)) << c.name;
    EXPECT_EQ(json.value("error").toInt(), c.error) << c.name;
    if (c.field != nullptr) {
        EXPECT_EQ(json.value("fields").toObject().value(QLatin1String(c.field)), c.value) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, Inspection,
    ::testing::Values(
        InspectCase{"LineFeedOnly", "$GPHDT,123.4,T*31\n", "MsgHDT", 0, "headingDegrees", 123.4},
        InspectCase{"CarriageReturnLineFeed", "$GPHDT,123.4,T*31\r\n", "MsgHDT", 0, "statusTrue",
                    "T"},
        InspectCase{"AbsentIsNull", "$VDVBW,12.3,0.1,A,,,V,0.2,A,,V*4C\n", "MsgVBW", 0,
                    "longitudinalGroundSpeed", QJsonValue::Null},
        InspectCase{"RejectedFieldsStillListed", "$PNRVDAT,1,2\n", "MsgDAT", 9, "systemID",
                    QJsonValue::Null},
        InspectCase{"BadChecksum", "$GPHDT,123.4,T*30\n", "MsgErr", 8, nullptr, {}},
        InspectCase{"Unknown", "!AIVDM,1,1,,A,13aG*1E\n", "MsgUnknown", 0, nullptr, {}}));

TEST(Inspection, RebuildsFromTheFields) {
    const QJsonObject json = SentenceInspector::describe(QStringLiteral("$GPHDT,0123.40,T*31\r\n"));
    EXPECT_EQ(json.value("rebuilt").toString(), "$GPHDT,123.4,T*31\r\n");
    EXPECT_EQ(json.value("received").toString(), "$GPHDT,0123.40,T*31\r\n");
}

struct RunCase {
    const char* name;
    QStringList arguments;
    QByteArray input;
    int exitCode;
    int lines;
};
void PrintTo(const RunCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class Program : public ::testing::TestWithParam<RunCase> {};

TEST_P(Program, ExitsNonZeroOnlyOnUnreadableInput) {
    const RunCase& c = GetParam();
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
        if (!line.isEmpty()) {
            EXPECT_TRUE(QJsonDocument::fromJson(line).isObject()) << c.name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, Program,
    ::testing::Values(RunCase{"StandardInput", {}, "$GPHDT,123.4,T*31\n\n$PNRVMACA\n", 0, 2},
                      RunCase{"BadSentencesAreNotFatal", {"-"}, "garbage\n$PNRVDAT,1,2\n", 0, 2},
                      RunCase{"MissingFile", {"/nonexistent/sentences.txt"}, {}, 2, 0},
                      RunCase{"MissingDevice", {"--device", "/nonexistent/tty"}, {}, 2, 0},
                      RunCase{"BadBaud", {"--device", "/dev/null", "--baud", "x"}, {}, 2, 0}));
} // namespace
