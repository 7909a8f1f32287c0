#pragma once

#include "casename.h"
#include "nmeamessage.h"

#include <QString>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

// Expected field values by name; "null" stands for an absent field.
using ExpectedFields = std::vector<std::pair<const char*, const char*>>;

// The value of one named field as text, "null" when absent, "<missing>" when no such field.
QString fieldText(const NmeaMessage& message, const QString& name);

// Compares every expected field and reports each mismatch under `label`.
void expectFields(const NmeaMessage& message, const ExpectedFields& expected, const char* label);

// The sentence built anew from its fields (received text dropped), with the given decimals.
QString rebuilt(NmeaMessage& message, int decimals = 1);

// A received text that its class must reject.
struct RejectCase {
    const char* name;
    QString received;
};
inline void PrintTo(const RejectCase& c, std::ostream* os) {
    printCaseName(c, os);
}

// A sentence built from values by the unit, and the text it must give.
struct BuildCase {
    const char* name;
    std::function<std::unique_ptr<NmeaMessage>()> make;
    QString expected;
};
inline void PrintTo(const BuildCase& c, std::ostream* os) {
    printCaseName(c, os);
}
