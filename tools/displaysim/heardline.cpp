#include "heardline.h"

#include <QStringList>
#include <QVariant>

namespace {
QString valueText(const QVariant& value) {
    if (value.typeId() == QMetaType::QVariantList) {
        QStringList items;
        for (const QVariant& item : value.toList()) {
            items << item.toString();
        }
        return items.join(QLatin1Char(','));
    }
    return value.toString();
}
} // namespace

namespace HeardLine {
QString describe(const UdpMulticastSingleMsg& line) {
    const QString destination =
        line.udpDestinationTag && !line.udpDestinationTag->getTag().isEmpty()
            ? line.udpDestinationTag->getTag()
            : QStringLiteral("*");
    QString text = QStringLiteral("%1 -> %2").arg(line.udpSourceTag.getTag(), destination);
    if (!line.nmeaMessage) {
        return text;
    }
    text += QLatin1Char(' ') + line.nmeaMessage->fullType();
    const QList<NamedValue> fields = line.nmeaMessage->fieldValues();
    if (fields.isEmpty()) {
        return text + QLatin1Char(' ') + line.nmeaMessage->receivedText().trimmed();
    }
    for (const NamedValue& field : fields) {
        text += QStringLiteral(" %1=%2").arg(field.name, valueText(field.value));
    }
    return text;
}
} // namespace HeardLine
