#pragma once

#include "nmeamessage.h"

#include <QString>
#include <QStringList>

#include <memory>

// Turns one received sentence ("$" or "!" through CR LF) into a sentence object, and holds
// the number conventions every sentence class uses. Stateless: safe on any thread.
class NmeaParser {
public:
    // Never null: a sentence object, a MsgErr or a MsgUnknown.
    static std::unique_ptr<NmeaMessage> parse(const QString& message);
    static std::unique_ptr<NmeaMessage> createMessage(const QString& message_type, quint32 msgHash,
                                                      const QStringList& parameters);
    // sentenceKey() for callers that hold the identifier as a QString.
    static quint32 calculateMessageTypeHash(const QString& message_type);

    static float StringToFloat(const QString& text, bool* ok);
    static int StringToInt(const QString& text, bool* ok);
    static quint32 StringToULong(const QString& text, bool* ok);

    static QString NumberToString(int value);
    static QString NumberToString(float value, char format, int precision);
    static QString NumberToDisplayString(int value);
    static QString NumberToDisplayString(float value, char format, int precision);
    static QString NumberToStringSigned(int value);
    static QString NumberToStringSigned(float value, char format, int precision);
    static QString UlongToString(quint32 value);
    static QString UlongToString_FixedLenght(quint32 value, int NoOfLeadingZero);
    static QString UintToString_FixedLength(quint32 value, int NoOfLeadingZero);
    static QString IntToString_FixedLength(int value, int NoOfLeadingZero, char formater);
    static QString FloatToString_FixedLength(float value, int NoOfLeadingZero, int precision);
    static QString FloatToString_FixedLength_Signed(float value, int NoOfLeadingZero,
                                                    int precision);

    static bool isNumberValidInt(int value) { return value != kAbsentInt; }
    static bool isNumberValidFloat(float value) { return value != kAbsentFloat; }
    static int getNumberOfDecimals();
};
