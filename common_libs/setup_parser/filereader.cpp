#include "filereader.h"

#include "atomicfile.h"
#include "setupparserlog.h"

#include <QFile>
#include <QFileInfo>

QString FileReader::readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QByteArray bytes = file.readAll();
    bytes.removeIf([](char c) { return c == '\0'; });
    return QString::fromLatin1(bytes);
}

bool FileReader::rewriteWholeFile(const QString& text, const QString& path) {
    QByteArray bytes = text.toLatin1();
    bytes.append('\0');
    return AtomicFile::write(path, bytes);
}

bool FileReader::writeLineToFile(const QString& text, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        qCCritical(lcSetupParser).noquote() << QStringLiteral("Cannot append to ") + path;
        return false;
    }
    const QByteArray line = '\n' + text.toLatin1();
    return file.write(line) == line.size() && file.flush();
}

bool FileReader::fileExists(const QString& path) {
    return QFileInfo::exists(path);
}
