#pragma once

#include "nmeamessage.h"
#include "sentencekey.h"

#include <memory>

// The dispatch table of the parser: the sentenceKey() of an identifier to the class that
// reads it.
using SentenceFactory = std::unique_ptr<NmeaMessage> (*)();

// Null when no class reads that key.
SentenceFactory findSentenceFactory(quint32 key);
