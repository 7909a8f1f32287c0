#pragma once

#include <QString>

#include <optional>

// One thing the operator has the display do, from the command line, a script or stdin:
//   send PNRVICM,1,15,0,9600,0,1,0,0,1,1,2,1   a sentence to the unit ("$" and checksum optional)
//   wait 2.5                                   hold what follows for so many seconds
//   ack on | ack off                           acknowledge the unit's sentences or not
//   # a comment                                (also blank lines: nothing)
struct Command {
    enum class Kind { Send, Wait, Acknowledge };
    Kind kind = Kind::Send;
    QString sentence; // Send: "$" through CR LF
    qint64 waitMs = 0;
    bool acknowledge = false;

    static Command send(const QString& sentence) { return {Kind::Send, sentence, 0, false}; }
    static Command wait(qint64 ms) { return {Kind::Wait, QString(), ms, false}; }
    static Command acknowledgements(bool on) { return {Kind::Acknowledge, QString(), 0, on}; }

    bool operator==(const Command&) const = default;
};

// A line read as a command: none for a blank line or a comment; `error` says why a line is
// not a command.
struct ParsedLine {
    std::optional<Command> command;
    QString error;
};

namespace CommandParser {
ParsedLine parseLine(const QString& line);
// A sentence body as `send` takes it, given alone (--send).
ParsedLine parseSentence(const QString& body);
} // namespace CommandParser
