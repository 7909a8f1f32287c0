#include "sentenceinspector.h"

#include "nmeamessageerrortype.h"
#include "nmeaparser.h"

#include <QJsonArray>

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace {
QString className(const NmeaMessage& message) {
    const char* mangled = typeid(message).name();
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
    return QLatin1String(status == 0 ? demangled.get() : mangled);
}

QJsonObject fieldsOf(const NmeaMessage& message) {
    QJsonObject fields;
    for (const NamedValue& field : message.fieldValues()) {
        fields.insert(field.name, QJsonValue::fromVariant(field.value));
    }
    return fields;
}

// Built from the fields, not the received text; unchanged decimals keep the class's own.
QString rebuilt(const NmeaMessage& message) {
    const auto copy = message.clone();
    copy->setNumber_of_decimals(copy->number_of_decimals());
    return copy->getMsgBuffer();
}
} // namespace

namespace SentenceInspector {
QString asSentence(const QByteArray& line) {
    QByteArray text = line;
    while (text.endsWith('\n') || text.endsWith('\r')) {
        text.chop(1);
    }
    return QString::fromLatin1(text) + QLatin1String("\r\n");
}

QJsonObject describe(const QString& sentence) {
    const auto message = NmeaParser::parse(sentence);
    const int error = message->errorType();
    return {
        {QStringLiteral("class"), className(*message)},
        {QStringLiteral("talker"), message->talkerId()},
        {QStringLiteral("manufacturer"), message->manufacturerId()},
        {QStringLiteral("identifier"), message->messageType()},
        {QStringLiteral("fullType"), message->fullType()},
        {QStringLiteral("key"), static_cast<qint64>(message->messageTypeHash())},
        {QStringLiteral("error"), error},
        {QStringLiteral("errorName"), QLatin1String(getNmeaErrorName(error))},
        {QStringLiteral("fields"), fieldsOf(*message)},
        {QStringLiteral("received"), sentence},
        {QStringLiteral("rebuilt"), rebuilt(*message)},
    };
}
} // namespace SentenceInspector
