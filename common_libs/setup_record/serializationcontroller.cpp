#include "serializationcontroller.h"

#include "atomicfile.h"
#include "platform.h"
#include "setuprecordlog.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaProperty>

#include <atomic>
#include <charconv>
#include <cmath>

namespace {
std::atomic<SerializationController::WrittenHook> g_writtenHook{nullptr};

template <class T> QString shortestText(T value) {
    if (!std::isfinite(value)) {
        return QStringLiteral("0");
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString quoted(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\')) {
            out += QLatin1Char('\\') + c;
        } else if (c.unicode() < 0x20 || c.unicode() > 0xFF) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    return out + QLatin1Char('"');
}

QString valueText(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::Float:
        return shortestText(value.toFloat());
    case QMetaType::Double:
        return shortestText(value.toDouble());
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::LongLong:
        return QString::number(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULongLong:
        return QString::number(value.toULongLong());
    default:
        return quoted(value.toString());
    }
}

// Keeps an unusable file for the service engineer; one generation is enough to see what
// went wrong.
void keepCorrupt(const QString& path, const QString& reason) {
    const QString kept = path + QStringLiteral(".corrupt");
    QFile::remove(kept);
    QFile::rename(path, kept);
    qCWarning(lcSetupRecord).noquote()
        << QStringLiteral("Setup file %1 %2, kept as %3; defaults taken").arg(path, reason, kept);
}

// The JSON document of a file's bytes, or the reason it cannot be one of the wanted shape.
bool documentFromBytes(const QByteArray& bytes, bool array, QJsonDocument& document,
                       QString& fault) {
    if (bytes.isEmpty()) {
        fault = QStringLiteral("is empty");
        return false;
    }
    QJsonParseError error;
    document = QJsonDocument::fromJson(QString::fromLatin1(bytes).toUtf8(), &error);
    if (error.error != QJsonParseError::NoError) {
        fault = QStringLiteral("does not parse (") + error.errorString() + QLatin1Char(')');
        return false;
    }
    if (array ? !document.isArray() : !document.isObject()) {
        fault =
            array ? QStringLiteral("holds no JSON array") : QStringLiteral("holds no JSON object");
        return false;
    }
    return true;
}

// Missing file: false without trace, its bytes otherwise; an unusable content is kept as
// .corrupt by the caller.
bool readBytes(const QString& path, QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    bytes = file.readAll();
    return true;
}
} // namespace

QString SerializationController::filePath(const QString& fileName, const QString& folder) {
    return Platform::appPath(folder + fileName);
}

QString SerializationController::objectText(const QVariantMap& values) {
    QStringList members;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        members.append(quoted(it.key()) + QStringLiteral(" : ") + valueText(it.value()));
    }
    return QStringLiteral("{ ") + members.join(QStringLiteral(", ")) + QStringLiteral(" }");
}

QString SerializationController::arrayText(const QList<QVariantMap>& elements) {
    QStringList texts;
    for (const QVariantMap& element : elements) {
        texts.append(objectText(element));
    }
    return QStringLiteral("[ ") + texts.join(QStringLiteral(", ")) + QStringLiteral(" ]");
}

void SerializationController::setWrittenHook(WrittenHook hook) {
    g_writtenHook.store(hook);
}

bool SerializationController::Serialize(const QString& text, const QString& fileName,
                                        const QString& folder) {
    if (!AtomicFile::write(filePath(fileName, folder), text.toLatin1())) {
        return false;
    }
    if (const WrittenHook hook = g_writtenHook.load()) {
        hook(fileName);
    }
    return true;
}

QString SerializationController::getSerializationString(const QString& fileName,
                                                        const QString& folder) {
    QFile file(filePath(fileName, folder));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

bool SerializationController::checkForFile(const QString& fileName, const QString& folder) {
    QFile file(filePath(fileName, folder));
    return file.open(QIODevice::ReadOnly);
}

QVariantMap SerializationController::toMap(const QMetaObject& meta, const void* gadget) {
    QVariantMap map;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        map.insert(QString::fromLatin1(property.name()), property.readOnGadget(gadget));
    }
    return map;
}

void SerializationController::fromMap(const QMetaObject& meta, void* gadget,
                                      const QVariantMap& members) {
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        const auto member = members.constFind(QString::fromLatin1(property.name()));
        if (member == members.cend()) {
            continue;
        }
        QVariant value = *member;
        if (value.convert(property.metaType())) {
            property.writeOnGadget(gadget, value);
        }
    }
}

bool SerializationController::objectFromBytes(const QByteArray& bytes, QVariantMap& members,
                                              QString& fault) {
    QJsonDocument document;
    if (!documentFromBytes(bytes, false, document, fault)) {
        return false;
    }
    members = document.object().toVariantMap();
    return true;
}

bool SerializationController::arrayFromBytes(const QByteArray& bytes, QList<QVariantMap>& elements,
                                             QString& fault) {
    QJsonDocument document;
    if (!documentFromBytes(bytes, true, document, fault)) {
        return false;
    }
    QList<QVariantMap> read;
    for (const QJsonValue& element : document.array()) {
        if (!element.isObject()) {
            fault = QStringLiteral("holds an array element that is no object");
            return false;
        }
        read.append(element.toObject().toVariantMap());
    }
    elements.append(read);
    return true;
}

bool SerializationController::readObject(const QString& fileName, const QString& folder,
                                         QVariantMap& members) {
    const QString path = filePath(fileName, folder);
    QByteArray bytes;
    QString fault;
    if (!readBytes(path, bytes)) {
        return false;
    }
    if (!objectFromBytes(bytes, members, fault)) {
        keepCorrupt(path, fault);
        return false;
    }
    return true;
}

bool SerializationController::readArray(const QString& fileName, const QString& folder,
                                        QList<QVariantMap>& elements) {
    const QString path = filePath(fileName, folder);
    QByteArray bytes;
    QString fault;
    if (!readBytes(path, bytes)) {
        return false;
    }
    if (!arrayFromBytes(bytes, elements, fault)) {
        keepCorrupt(path, fault);
        return false;
    }
    return true;
}
