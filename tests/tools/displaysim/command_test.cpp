#include "casename.h"
#include "command.h"
#include "commandqueue.h"
#include "nmeamessage.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

Command send(const char* body) {
    return Command::send(NmeaMessage::addCrcToMsgBuffer(QLatin1String(body)));
}

struct LineCase {
    const char* name;
    QString line;
    std::optional<Command> command;
    const char* error; // a part of the reason, empty when the line is good
};
void PrintTo(const LineCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class ScriptLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ScriptLine, ReadsAsTheOperatorMeantIt) {
    const ParsedLine parsed = CommandParser::parseLine(GetParam().line);
    EXPECT_EQ(parsed.command, GetParam().command);
    if (*GetParam().error == '\0') {
        EXPECT_TRUE(parsed.error.isEmpty()) << qPrintable(parsed.error);
    } else {
        EXPECT_TRUE(parsed.error.contains(QLatin1String(GetParam().error)))
            << qPrintable(parsed.error);
    }
}

const LineCase kLines[] = {
    {"a body alone", "send PNRVICM,1,9,1", send("PNRVICM,1,9,1"), ""},
    {"a whole sentence", "send " + NmeaMessage::addCrcToMsgBuffer("PNRVICM,1,9,1"),
     send("PNRVICM,1,9,1"), ""},
    {"a checksum in lower case", "send $PNRVICM,1,12*6f", send("PNRVICM,1,12"), ""},
    {"a sentence without fields", "send PNRVGCF", send("PNRVGCF"), ""},
    {"spaces inside the sentence and around the line",
     "\t send  PNRVALRS,0,Sensor Comm,1,,0,,0,,0,,0 ", send("PNRVALRS,0,Sensor Comm,1,,0,,0,,0,,0"),
     ""},
    {"a wrong checksum", "send $PNRVICM,1,9,1*00", std::nullopt, "checksum *00"},
    {"a field the unit cannot read", "send PNRVICM,1,9,x", std::nullopt, "ERR_NMEA_FORMAT"},
    {"no sentence", "send", std::nullopt, "needs a sentence"},
    {"a wait in seconds", "wait 2.5", Command::wait(2500), ""},
    {"a negative wait", "wait -1", std::nullopt, "number of seconds"},
    {"a wait without a number", "wait soon", std::nullopt, "number of seconds"},
    {"acknowledgements off", "ack off", Command::acknowledgements(false), ""},
    {"acknowledgements neither", "ack yes", std::nullopt, "on or off"},
    {"a comment", "  # send PNRVICM,1,9,1", std::nullopt, ""},
    {"a blank line", " \r\n", std::nullopt, ""},
    {"a misspelt command", "sned PNRVICM,1,9,1", std::nullopt, "unknown command 'sned'"},
};
INSTANTIATE_TEST_SUITE_P(Commands, ScriptLine, ::testing::ValuesIn(kLines));

// At a moment: release the queue, or take what is due and compare it.
struct QueueStep {
    qint64 at;
    bool release;
    std::vector<Command> due;
};
struct QueueCase {
    const char* name;
    std::vector<Command> commands;
    std::vector<QueueStep> steps;
};
void PrintTo(const QueueCase& c, std::ostream* os) {
    printCaseName(c, os);
}

class Queue : public ::testing::TestWithParam<QueueCase> {};

TEST_P(Queue, RunsTheCommandsInOrderWhenTheyAreDue) {
    CommandQueue queue;
    for (const Command& command : GetParam().commands) {
        queue.append(command);
    }
    for (const QueueStep& step : GetParam().steps) {
        if (step.release) {
            queue.release(step.at);
        }
        const QList<Command> due = queue.take(step.at);
        EXPECT_EQ(std::vector<Command>(due.begin(), due.end()), step.due) << "at " << step.at;
    }
}

const Command kStandby = send("PNRVICM,1,9,1");
const Command kWake = send("PNRVICM,1,9,0");
const Command kAckOff = Command::acknowledgements(false);

const QueueCase kQueueCases[] = {
    {"held until released",
     {kStandby, kAckOff},
     {{0, false, {}}, {500, true, {kStandby, kAckOff}}}},
    // Late in the first wait, the second starts from the moment the standby went out.
    {"a wait counts from the moment it is reached",
     {Command::wait(1000), kStandby, Command::wait(2000), kWake},
     {{0, true, {}}, {1500, false, {kStandby}}, {3499, false, {}}, {3500, false, {kWake}}}},
    {"waits in a row add up",
     {Command::wait(1000), Command::wait(1000), kWake},
     {{0, true, {}}, {1000, false, {}}, {2000, false, {kWake}}}},
};
INSTANTIATE_TEST_SUITE_P(Commands, Queue, ::testing::ValuesIn(kQueueCases));

} // namespace
