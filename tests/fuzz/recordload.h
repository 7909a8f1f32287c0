#pragma once

#include "serializationcontroller.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariantMap>

#include <cstdlib>
#include <optional>

// A setup record or list loaded from a file's bytes the way the unit loads its files. What the
// unit would write back for it must load again to the very same text: otherwise a value
// changes at every restart, or a record the unit wrote itself is refused at the next start.
namespace recordload {

template <class Gadget> QString textOf(const Gadget& record) {
    return SerializationController::objectText(
        SerializationController::toMap(Gadget::staticMetaObject, &record));
}

template <class Gadget> QString textOf(const QList<Gadget>& records) {
    QList<QVariantMap> elements;
    for (const Gadget& record : records) {
        elements.append(SerializationController::toMap(Gadget::staticMetaObject, &record));
    }
    return SerializationController::arrayText(elements);
}

template <class Gadget> std::optional<Gadget> loadOnce(const QByteArray& bytes) {
    QVariantMap members;
    QString fault;
    if (!SerializationController::objectFromBytes(bytes, members, fault)) {
        return std::nullopt;
    }
    Gadget record;
    SerializationController::fromMap(Gadget::staticMetaObject, &record, members);
    return record;
}

template <class Gadget> std::optional<QList<Gadget>> loadListOnce(const QByteArray& bytes) {
    QList<QVariantMap> elements;
    QString fault;
    if (!SerializationController::arrayFromBytes(bytes, elements, fault)) {
        return std::nullopt;
    }
    QList<Gadget> records;
    for (const QVariantMap& members : elements) {
        Gadget record;
        SerializationController::fromMap(Gadget::staticMetaObject, &record, members);
        records.append(record);
    }
    return records;
}

template <class Loaded>
void checkWrittenReloads(const std::optional<Loaded>& loaded,
                         std::optional<Loaded> (*load)(const QByteArray&)) {
    if (!loaded) {
        return;
    }
    const QString written = textOf(*loaded);
    const std::optional<Loaded> again = load(written.toLatin1());
    if (!again || textOf(*again) != written) {
        std::abort();
    }
}

template <class Gadget> std::optional<Gadget> record(const QByteArray& bytes) {
    const std::optional<Gadget> loaded = loadOnce<Gadget>(bytes);
    checkWrittenReloads(loaded, &loadOnce<Gadget>);
    return loaded;
}

template <class Gadget> std::optional<QList<Gadget>> list(const QByteArray& bytes) {
    const std::optional<QList<Gadget>> loaded = loadListOnce<Gadget>(bytes);
    checkWrittenReloads(loaded, &loadListOnce<Gadget>);
    return loaded;
}

} // namespace recordload
