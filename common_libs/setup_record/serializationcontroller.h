#pragma once

#include <QList>
#include <QMetaObject>
#include <QString>
#include <QVariantMap>

// Stores setup records as JSON files under the application folder, in one fixed layout that
// the setup-file overlay relies on:
//
//   { "key" : value, "key2" : value2 }         one record
//   [ { "key" : value }, { "key" : value } ]   a list of records
//
// Keys in ascending character-code order, numbers without locale, no line breaks, Latin-1
// bytes, no trailing newline. A record is a Q_GADGET whose properties are its keys.
//
// Every function is stateless, so it is safe from any thread; records are still saved on the
// main thread only. Writes replace the file atomically. A file that exists but cannot be used
// (empty, unparsable, wrong shape) is kept as NAME.corrupt for the service engineer.
class SerializationController {
public:
    static inline const QString kSetupFolder = QStringLiteral("/setup_files/");
    static inline const QString kSavedConfigsFolder = QStringLiteral("/setup_files/saved_configs/");
    static inline const QString kConfigurationFolder = QStringLiteral("/configuration_files/");
    static inline const QString kLogFolder = QStringLiteral("/log_files/");

    static QString filePath(const QString& fileName, const QString& folder);

    // Told the name of every file written, after it is safely on disk: the unit mirrors
    // its settings to a USB stick with it. Nothing is told while no one listens.
    using WrittenHook = void (*)(const QString& fileName);
    static void setWrittenHook(WrittenHook hook);

    // The layout above for one record's values, and for a list of them.
    static QString objectText(const QVariantMap& values);
    static QString arrayText(const QList<QVariantMap>& elements);

    static bool Serialize(const QString& text, const QString& fileName, const QString& folder);
    template <class Gadget>
    static bool Serialize(const Gadget& record, const QString& fileName, const QString& folder) {
        return Serialize(objectText(toMap(Gadget::staticMetaObject, &record)), fileName, folder);
    }
    template <class Gadget>
    static bool Serialize(const QList<Gadget>& records, const QString& fileName,
                          const QString& folder) {
        QList<QVariantMap> elements;
        for (const Gadget& record : records) {
            elements.append(toMap(Gadget::staticMetaObject, &record));
        }
        return Serialize(arrayText(elements), fileName, folder);
    }

    // Applies the file's members to the record's properties of the same name; unknown keys
    // are ignored, properties the file lacks keep their values. False when the file is
    // missing or unusable.
    template <class Gadget>
    static bool Deserialize(Gadget& record, const QString& fileName, const QString& folder) {
        QVariantMap members;
        if (!readObject(fileName, folder, members)) {
            return false;
        }
        fromMap(Gadget::staticMetaObject, &record, members);
        return true;
    }
    // Appends one record per array element, each starting from a default-built record.
    template <class Gadget>
    static bool Deserialize(QList<Gadget>& records, const QString& fileName,
                            const QString& folder) {
        QList<QVariantMap> elements;
        if (!readArray(fileName, folder, elements)) {
            return false;
        }
        for (const QVariantMap& members : elements) {
            Gadget record;
            fromMap(Gadget::staticMetaObject, &record, members);
            records.append(record);
        }
        return true;
    }

    // The file's text, "" on any failure.
    static QString getSerializationString(const QString& fileName, const QString& folder);
    static bool checkForFile(const QString& fileName, const QString& folder);

    static QVariantMap toMap(const QMetaObject& meta, const void* gadget);
    static void fromMap(const QMetaObject& meta, void* gadget, const QVariantMap& members);

    // A file's bytes as one record's members, or as the members of each element of a list.
    // False, with the reason, for bytes that are empty, do not parse or have the wrong shape.
    static bool objectFromBytes(const QByteArray& bytes, QVariantMap& members, QString& fault);
    static bool arrayFromBytes(const QByteArray& bytes, QList<QVariantMap>& elements,
                               QString& fault);

private:
    static bool readObject(const QString& fileName, const QString& folder, QVariantMap& members);
    static bool readArray(const QString& fileName, const QString& folder,
                          QList<QVariantMap>& elements);
};
