#pragma once

#include "recordlist.h"

#include <QString>

// One value for each serial channel, in a file that holds both records, Nmea_1 first; a file
// with fewer records is not used. A name other than the Nmea_1 entry's reads the Nmea_2 entry,
// so the network channel reports Nmea_2's value; a setter changes only an entry of that name.
template <class S, class T, QString S::*Name, T S::*Value>
class SerialChannelValues : public RecordList<S> {
public:
    const S& nmea_1() const { return this->m_records[0]; }
    const S& nmea_2() const { return this->m_records[1]; }

    T get(const QString& channel) const {
        return channel == nmea_1().*Name ? nmea_1().*Value : nmea_2().*Value;
    }
    // True when an entry of that name changed (and the file was written).
    bool set(const QString& channel, T value) {
        for (S& record : this->m_records) {
            if (record.*Name == channel) {
                if (record.*Value == value) {
                    return false;
                }
                record.*Value = value;
                this->writeSetup();
                return true;
            }
        }
        return false;
    }

    void getDefaults() override {
        this->m_records = {entry(QStringLiteral("Nmea_1")), entry(QStringLiteral("Nmea_2"))};
        this->writeSetup();
    }

protected:
    SerialChannelValues(QString fileName, T defaultValue)
        : RecordList<S>(std::move(fileName)), m_default(defaultValue) {}

    bool accept(QList<S>& loaded) const override {
        if (loaded.size() < 2) {
            return false;
        }
        loaded = loaded.mid(0, 2);
        return true;
    }

private:
    S entry(const QString& name) const {
        S record;
        record.*Name = name;
        record.*Value = m_default;
        return record;
    }

    T m_default;
};
