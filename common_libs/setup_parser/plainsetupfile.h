#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One flat setup record as text, keeping the file's own spacing so that an overlaid record
// reads exactly like the live one:
//
//   { "draft" : 0, "tonnage" : 1000 }
//    name ----^  ^---- value  (names and values keep their surrounding blanks)
//
// Members are cut at the commas and colons that lie outside quoted texts and nested values,
// so a text holding a comma or colon stays one value.
class PlainSetupFile {
public:
    PlainSetupFile() = default;
    explicit PlainSetupFile(const QString& text);

    QString getName(int index) const { return valid(index) ? fieldNames[index] : QString(); }
    QString getValue(int index) const { return valid(index) ? fieldValues[index] : QString(); }
    // The key without blanks and quotes ("draft").
    QString getKey(int index) const;
    // The first entry whose name is exactly this text, -1 if none.
    int getIndex(const QString& name) const { return fieldNames.indexOf(name); }
    // The first entry whose key is this, -1 if none.
    int indexOfKey(const QString& key) const;
    QString getValue(const QString& name) const { return getValue(getIndex(name)); }
    void setValue(int index, const QString& value);
    void setValue(const QString& name, const QString& value) { setValue(getIndex(name), value); }
    int getSetupLength() const { return int(fieldNames.size()); }
    QString getSetupString() const;

    // Cuts text at a separator that lies outside quoted texts and nested objects or arrays.
    static QStringList splitTopLevel(const QString& text, QChar separator);

private:
    bool valid(int index) const { return index >= 0 && index < fieldNames.size(); }

    QStringList fieldNames;
    QStringList fieldValues;
};

// A list of flat records: [ { ... }, { ... } ].
class LevelOneSetupFile {
public:
    LevelOneSetupFile() = default;
    explicit LevelOneSetupFile(const QString& text);
    QString getSetupString() const;

    QList<PlainSetupFile> subSetups;
};
