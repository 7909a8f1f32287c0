#include "sentencetesting.h"

#include <gtest/gtest.h>

QString fieldText(const NmeaMessage& message, const QString& name) {
    for (const NamedValue& field : message.fieldValues()) {
        if (field.name == name) {
            if (field.value.typeId() == QMetaType::QVariantList) {
                return field.value.toStringList().join(QLatin1Char('|'));
            }
            return field.value.isNull() ? QStringLiteral("null") : field.value.toString();
        }
    }
    return QStringLiteral("<missing>");
}

void expectFields(const NmeaMessage& message, const ExpectedFields& expected, const char* label) {
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(fieldText(message, QLatin1String(name)), QLatin1String(value))
            << label << ": field " << name;
    }
}

QString rebuilt(NmeaMessage& message, int decimals) {
    message.setNumber_of_decimals(decimals);
    return message.getMsgBuffer();
}
