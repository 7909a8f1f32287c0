#pragma once

#include <QString>

#include <ostream>

// Table cases show their name in test listings and failure messages instead of their bytes:
// give the case type `void PrintTo(const Case& c, std::ostream* os) { printCaseName(c, os); }`.
template <class Case> void printCaseName(const Case& c, std::ostream* os) {
    *os << QString(c.name).toStdString();
}
