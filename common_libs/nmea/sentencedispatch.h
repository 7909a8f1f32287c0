#pragma once

#include "nmeamessage.h"

#include <memory>

// The dispatch table of the parser: the key of the last three characters of an
// identifier (or of "01"/"06") to the class that reads it.
using SentenceFactory = std::unique_ptr<NmeaMessage> (*)();

// Null when no class reads that key.
SentenceFactory findSentenceFactory(quint32 key);
