#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh, empty board root in a temporary folder, removed when the test ends.
class TestRoot {
public:
    TestRoot();
    QString path() const { return m_dir.path(); }
    // A board path ("/opt/setup_files") under this root.
    QString path(const QString& boardPath) const;
    // Writes a file (folders created), returns its full path.
    QString writeFile(const QString& boardPath, const QByteArray& content) const;
    QByteArray readFile(const QString& boardPath) const;
    bool exists(const QString& boardPath) const;

private:
    QTemporaryDir m_dir;
};
