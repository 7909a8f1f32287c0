#pragma once

#include "nmeamessage.h"

#include <QString>

#include <functional>
#include <memory>

// The value of one named field as text, "null" when absent, "<missing>" when no such field.
QString fieldText(const NmeaMessage& message, const QString& name);

// Compares the fields listed as "name=value;name=value" ("null": absent).
void expectFields(const NmeaMessage& message, const char* expected);

// A sentence made by its value constructor when called, so that it reads the settings of the
// moment it is built in.
using Maker = std::function<std::unique_ptr<NmeaMessage>()>;
template <class M, class... Args> Maker make(Args... args) {
    return [=] { return std::make_unique<M>(args...); };
}
