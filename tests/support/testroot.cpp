#include "testroot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestRoot::TestRoot() : m_dir(QDir::tempPath() + QStringLiteral("/kc40-root-XXXXXX")) {}

QString TestRoot::path(const QString& boardPath) const {
    return m_dir.path() +
           (boardPath.startsWith(QLatin1Char('/')) ? boardPath : QLatin1Char('/') + boardPath);
}

QString TestRoot::writeFile(const QString& boardPath, const QByteArray& content) const {
    const QString full = path(boardPath);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(content);
    }
    return full;
}

QByteArray TestRoot::readFile(const QString& boardPath) const {
    QFile file(path(boardPath));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool TestRoot::exists(const QString& boardPath) const {
    return QFileInfo::exists(path(boardPath));
}
