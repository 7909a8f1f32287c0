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

void expectFields(const NmeaMessage& message, const char* expected) {
    for (const QString& pair : QString::fromLatin1(expected).split(';', Qt::SkipEmptyParts)) {
        const QString name = pair.section('=', 0, 0);
        EXPECT_EQ(fieldText(message, name), pair.section('=', 1)) << "field " << name.toStdString();
    }
}
