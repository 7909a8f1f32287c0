#pragma once

#include "serializationcontroller.h"

#include <QList>
#include <QString>

// A setup file that holds a list of records of one kind: read at start (defaults written when
// the file is missing or its content unusable), rewritten whole on every change, and saved to
// or loaded from named snapshots.
template <class S> class RecordList {
public:
    virtual ~RecordList() = default;

    const QList<S>& records() const { return m_records; }
    const QString& fileName() const { return m_fileName; }

    virtual bool readSetup() {
        if (readFrom(m_fileName, SerializationController::kSetupFolder)) {
            return true;
        }
        getDefaults();
        return false;
    }
    bool writeSetup() const {
        return SerializationController::Serialize(m_records, m_fileName,
                                                  SerializationController::kSetupFolder);
    }
    bool saveToFile(const QString& suffix) const {
        return SerializationController::Serialize(m_records, m_fileName + suffix,
                                                  SerializationController::kSavedConfigsFolder);
    }
    // A snapshot that is not usable leaves the records as they are.
    bool loadFromFile(const QString& suffix) {
        return readFrom(m_fileName + suffix, SerializationController::kSavedConfigsFolder);
    }

    // Sets the factory records and writes them.
    virtual void getDefaults() = 0;

protected:
    explicit RecordList(QString fileName) : m_fileName(std::move(fileName)) {}

    bool readFrom(const QString& fileName, const QString& folder) {
        QList<S> loaded;
        if (!SerializationController::Deserialize(loaded, fileName, folder) || !accept(loaded)) {
            return false;
        }
        m_records = loaded;
        return true;
    }
    // Whether a list read from a file can be used; may put it into its working order.
    virtual bool accept(QList<S>& loaded) const = 0;

    QList<S> m_records;

private:
    QString m_fileName;
};
