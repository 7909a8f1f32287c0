#pragma once

#include <QString>

// The program's build date and time, as the unit reports its version.
class CompileDateAndTime {
public:
    // Twelve digits "yyMMddHHmmss".
    static QString getCompileTimestampAsNumber();
    // Six digits "yyMMdd".
    static QString getCompileDateAsNumber();
    // Compiler date and time texts ("Dec  6 2026", "18:54:39") to "yyMMddHHmmss"; empty if
    // malformed.
    static QString timestampFrom(const QString& date, const QString& time);
};
