#pragma once

#include "serializationcontroller.h"

#include <QString>

// The persistence every setup record shares: a property holder S (a Q_GADGET whose members
// start at their defaults) stored as one file in the live setup folder, plus named snapshots.
// Every change goes to the file at once; single-field setters write only on a real change.
template <class S> class SetupRecord {
public:
    virtual ~SetupRecord() = default;

    const S& values() const { return m_s; }
    const QString& fileName() const { return m_fileName; }

    bool writeSetup() const {
        return SerializationController::Serialize(m_s, m_fileName,
                                                  SerializationController::kSetupFolder);
    }
    bool saveToFile(const QString& suffix) const {
        return SerializationController::Serialize(m_s, m_fileName + suffix,
                                                  SerializationController::kSavedConfigsFolder);
    }
    bool loadFromFile(const QString& suffix) {
        return SerializationController::Deserialize(m_s, m_fileName + suffix,
                                                    SerializationController::kSavedConfigsFolder);
    }

    // Compare, store, write: true when the value changed.
    template <class T, class V> bool set(T S::*field, const V& value) {
        if (m_s.*field == static_cast<T>(value)) {
            return false;
        }
        m_s.*field = static_cast<T>(value);
        writeSetup();
        return true;
    }

    bool getSetupReceivedFlag() const { return m_setupReceivedFlag; }
    void setSetupReceivedFlag(bool received) { m_setupReceivedFlag = received; }

    // Sets the defaults of a reset level (7: a file that could not be used) and writes them.
    virtual void getDefaults(int level) = 0;

protected:
    explicit SetupRecord(QString fileName) : m_fileName(std::move(fileName)) {}

    // Loads the file; when it is missing or unusable takes the defaults and writes them.
    bool readSetup() {
        if (SerializationController::Deserialize(m_s, m_fileName,
                                                 SerializationController::kSetupFolder)) {
            return true;
        }
        getDefaults(kFileDefaultsLevel);
        return false;
    }
    // A whole-record change from the display: store, mark received, write once.
    void storeReceived(const S& values) {
        m_s = values;
        m_setupReceivedFlag = true;
        writeSetup();
    }

    static constexpr int kFileDefaultsLevel = 7;
    S m_s;
    bool m_setupReceivedFlag = false;

private:
    QString m_fileName;
};
