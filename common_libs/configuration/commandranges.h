#pragma once

#include <QList>
#include <QString>

#include <climits>

class MsgICM;

// The plausible values of one integer parameter of a display command, in the command's
// scaling (a speed of 0..80 kn sent x100 is 0..8000). An empty field arrives as the absent
// value INT_MAX, which no range of a setting holds, so one check refuses missing and
// implausible values alike.
struct ParameterRange {
    int min;
    int max;
    bool contains(int value) const { return value >= min && value <= max; }
};

// Any number; the record sorts out the ones it cannot use. Only an empty field is refused.
inline constexpr ParameterRange kAnyNumber{INT_MIN, INT_MAX - 1};
// A position the unit does not read (reserved, or the display's copy of a fixed value).
inline constexpr ParameterRange kNotRead{INT_MIN, INT_MAX};
inline constexpr ParameterRange kFlag{0, 1};

// What a display command must carry before anything of it is used: the range of each
// parameter by position, which also gives the fewest parameters it needs (less the last
// `optional` ones, which may be left off). A command that ends in a table (the channel setup)
// names the shape that every further group of parameters repeats; other commands may carry
// more parameters, which are not read, unless their count is exact.
struct CommandRanges {
    QList<ParameterRange> fields;
    QList<ParameterRange> repeated = {};
    bool exactCount = false;
    qsizetype optional = 0;

    // Why the command cannot be used, empty when it can: a field that was no number, a
    // wrong count, or the first parameter outside its range. The parameters are the
    // received ones as the handler will read them.
    QString fault(const MsgICM& received, const QList<int>& parameters) const;

private:
    const ParameterRange& rangeAt(qsizetype position) const;
};
