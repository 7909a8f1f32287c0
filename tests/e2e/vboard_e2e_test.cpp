#include "casename.h"
#include "msgalf.h"
#include "nmeaparser.h"
#include "testroot.h"
#include "waitfor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <set>

#include <signal.h>

namespace {

// A process that exists and is not merely waiting to be reaped.
bool running(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray text = stat.readAll();
    const qsizetype afterName = text.lastIndexOf(')');
    return afterName > 0 && text.mid(afterName + 2, 1) != "Z";
}

qint64 parentOf(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() : 0;
}

// The running unit, also after it replaced itself with a fresh copy.
qint64 unitPid(const TestRoot& root) {
    return root.readFile("/var/run/kc40.pid").trimmed().toLongLong();
}

// Every running program but `except` whose command line names the root: the unit, its fresh
// copies and the simulators all get a path under it.
std::set<qint64> programsOn(const TestRoot& root, qint64 except) {
    std::set<qint64> found;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(entry));
        if (isPid && pid != except && commandLine.open(QIODevice::ReadOnly) &&
            commandLine.readAll().contains(root.path().toLocal8Bit()) && running(pid)) {
            found.insert(pid);
        }
    }
    return found;
}

struct StopCase {
    const char* name;
    int signal; // 0: the board stops by itself (--seconds)
};
void PrintTo(const StopCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class VirtualBoardStop : public ::testing::TestWithParam<StopCase> {};

TEST_P(VirtualBoardStop, LeavesNoProgramRunningAndNoLineBehind) {
    const StopCase& c = GetParam();
    TestRoot root;
    QProcess board;
    board.setStandardOutputFile(QProcess::nullDevice());
    board.setStandardErrorFile(root.path("/vboard.err"));
    QStringList arguments{"--root", root.path(), "--plain"};
    if (c.signal == 0) {
        arguments << "--seconds"
                  << "15";
    }
    board.start(VBOARD_BINARY, arguments);
    ASSERT_TRUE(board.waitForStarted(5000));

    // The unit runs as the fresh copy it starts of itself on a first run (not a child of the
    // board), with both simulators on their lines: it has talked to the sensor and heard the
    // navigation sentences on Nmea_1.
    const auto unitHears = [&](const char* text) {
        return root.readFile("/kc40.log").contains(text);
    };
    ASSERT_TRUE(waitFor(
        [&] {
            const std::set<qint64> programs = programsOn(root, board.processId());
            const qint64 unit = unitPid(root);
            return programs.size() >= 3 && programs.count(unit) == 1 &&
                   parentOf(unit) != board.processId() && unitHears("received from 1: RMC") &&
                   unitHears("<-- $PNRVDAT,");
        },
        15000))
        << root.readFile("/vboard.err").constData() << root.readFile("/kc40.log").constData();

    if (c.signal != 0) {
        ::kill(static_cast<pid_t>(board.processId()), c.signal);
    }
    ASSERT_TRUE(board.waitForFinished(30000));
    EXPECT_EQ(board.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(board.exitCode(), 0);
    EXPECT_TRUE(waitFor([&] { return programsOn(root, board.processId()).empty(); }, 5000))
        << programsOn(root, board.processId()).size() << " programs left running";
    for (const char* line :
         {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3", "/dev/navsim"}) {
        EXPECT_FALSE(QFileInfo(root.path(line)).isSymLink()) << line;
    }
}

INSTANTIATE_TEST_SUITE_P(VirtualBoard, VirtualBoardStop,
                         ::testing::Values(StopCase{"ctrl_c", SIGINT},
                                           StopCase{"terminate", SIGTERM},
                                           StopCase{"seconds_option", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// The board's display pairs with the unit and keeps its heartbeat going: a healthy virtual ship
// shows no display alert. The unit gets the board's group, one no other run uses.
TEST(VirtualBoard, TheDisplayPairsAndNoDisplayAlertIsRaised) {
    TestRoot root;
    QProcess board;
    board.setStandardOutputFile(root.path("/vboard.out"));
    board.start(VBOARD_BINARY,
                {"--root", root.path(), "--plain", "--group", "TIME", "--seconds", "40"});
    ASSERT_TRUE(board.waitForFinished(60000));
    ASSERT_EQ(board.exitCode(), 0);
    const QByteArray sent = root.readFile("/vboard.out");
    EXPECT_TRUE(sent.contains("$PNRVIDM,1,1,Confirm,")) << root.readFile("/kc40.log").constData();
    EXPECT_TRUE(root.readFile("/displaysim.log").contains("paired with VD0101"));
    for (const QByteArray& line : sent.split('\n')) {
        const std::unique_ptr<NmeaMessage> parsed = NmeaParser::parse(line.trimmed());
        const auto* alf = dynamic_cast<const MsgALF*>(parsed.get());
        if (alf && alf->alertText() == QLatin1String("Display Comm")) {
            EXPECT_EQ(alf->alertState(), "N") << line.constData();
        }
    }
}

// A root kept from an earlier run may hold a unit process id that now belongs to another
// program; stopping the board must leave that program alone.
TEST(VirtualBoard, StopsNoProgramByAProcessIdLeftFromAnEarlierRun) {
    TestRoot root;
    QProcess bystander;
    bystander.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    ASSERT_TRUE(bystander.waitForStarted(5000));
    root.writeFile("/var/run/kc40.pid", QByteArray::number(bystander.processId()));

    // A unit that starts and ends without a word, so the old process id is all there is.
    QProcess board;
    board.setStandardOutputFile(QProcess::nullDevice());
    board.start(VBOARD_BINARY, {"--root", root.path(), "--plain", "--seconds", "2", "--kc40",
                                QStringLiteral("/bin/true")});
    ASSERT_TRUE(board.waitForFinished(30000));
    EXPECT_EQ(board.exitCode(), 0);
    EXPECT_TRUE(running(bystander.processId()));
    bystander.kill();
    bystander.waitForFinished(5000);
}

} // namespace

namespace {
// The service engineer's stick: "vboard --usb DIR" puts it into the board at DIR, and pulls it
// the next time; the board's other mounts stay.
TEST(VirtualBoard, UsbOptionPutsAStickInAndPullsIt) {
    TestRoot root;
    root.writeFile("/etc/mtab", "/dev/root / ext4 rw 0 0\n");
    const auto toggle = [&] {
        QProcess board;
        board.start(VBOARD_BINARY, {"--usb", root.path()});
        EXPECT_TRUE(board.waitForFinished(10000));
        return board.exitCode();
    };
    ASSERT_EQ(toggle(), 0);
    EXPECT_EQ(root.readFile("/etc/mtab"),
              "/dev/root / ext4 rw 0 0\n/dev/sda1 /media/usb0 vfat rw,relatime 0 0\n");
    EXPECT_TRUE(QFileInfo(root.path("/media/usb0")).isDir());
    ASSERT_EQ(toggle(), 0);
    EXPECT_EQ(root.readFile("/etc/mtab"), "/dev/root / ext4 rw 0 0\n");
    EXPECT_TRUE(QFileInfo(root.path("/media/usb0")).isDir());
}
} // namespace
