#include "sentencefields.h"

#include "nmeaparser.h"

namespace fieldcodec {
bool read(const QString& text, QString& target) {
    target = text;
    return true;
}

bool read(const QString& text, int& target) {
    bool ok = false;
    target = NmeaParser::StringToInt(text, &ok);
    return ok;
}

bool read(const QString& text, float& target) {
    bool ok = false;
    target = NmeaParser::StringToFloat(text, &ok);
    return ok;
}

bool read(const QString& text, quint32& target) {
    bool ok = false;
    target = NmeaParser::StringToULong(text, &ok);
    return ok;
}

bool read(const QString& text, bool& target) {
    target = text == QLatin1String("1");
    return target || text == QLatin1String("0");
}

QString write(const QString& value, FieldFormat, int) {
    return sanitizedText(value);
}

QString write(int value, FieldFormat format, int) {
    if (format.kind == FieldFormat::Kind::IntFixed && NmeaParser::isNumberValidInt(value)) {
        return NmeaParser::IntToString_FixedLength(value, format.width, '0');
    }
    return NmeaParser::NumberToString(value);
}

QString write(float value, FieldFormat format, int decimals) {
    switch (format.kind) {
    case FieldFormat::Kind::FloatDec:
        return NmeaParser::NumberToString(value, 'f', decimals);
    case FieldFormat::Kind::FloatSigned:
        return NmeaParser::NumberToStringSigned(value, 'f', format.precision);
    case FieldFormat::Kind::FixedSigned:
        return NmeaParser::FloatToString_FixedLength_Signed(value, format.width, format.precision);
    default:
        return NmeaParser::NumberToString(value, 'f', format.precision);
    }
}

QString write(quint32 value, FieldFormat format, int) {
    if (format.kind == FieldFormat::Kind::ULongMin) {
        return NmeaParser::UlongToString_FixedLenght(value, format.width);
    }
    return NmeaParser::UlongToString(value);
}

QString write(bool value, FieldFormat, int) {
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QVariant value(const QString& value) {
    return value;
}

QVariant value(int value) {
    return NmeaParser::isNumberValidInt(value) ? QVariant(value) : QVariant();
}

QVariant value(float value) {
    if (!NmeaParser::isNumberValidFloat(value)) {
        return {};
    }
    // The shortest text that reads back as the same float, so 123.4 stays 123.4.
    return QString::number(value, 'g', 7).toDouble();
}

QVariant value(quint32 value) {
    return value == kAbsentULong ? QVariant() : QVariant(value);
}

QVariant value(bool value) {
    return value;
}
} // namespace fieldcodec

QString sanitizedText(const QString& text) {
    QString result = text;
    for (QChar& c : result) {
        if (c == QLatin1Char('*') || c == QLatin1Char('$') || c == QLatin1Char('!') ||
            c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            c = QLatin1Char(' ');
        }
    }
    return result;
}

bool isOneOf(const QString& text, std::initializer_list<const char*> allowed) {
    for (const char* word : allowed) {
        if (text == QLatin1String(word)) {
            return true;
        }
    }
    return false;
}

QStringList ipAddressFields(const QString& ip) {
    constexpr qsizetype kParts = 4;
    const QStringList parts = ip.split(QLatin1Char('.'));
    return parts.size() == kParts ? parts : QStringList(kParts, QString());
}
