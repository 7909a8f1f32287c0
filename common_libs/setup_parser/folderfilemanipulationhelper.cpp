#include "folderfilemanipulationhelper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool FolderFileManipulationHelper::copyDirRecursively(const QString& source,
                                                      const QString& destination, bool overwrite,
                                                      const QString& nameFilter) {
    const QDir sourceDir(source);
    if (!sourceDir.exists() || !QDir().mkpath(destination)) {
        return false;
    }
    const QDir destinationDir(destination);
    for (const QString& name : sourceDir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!nameFilter.isEmpty() && name != nameFilter) {
            continue;
        }
        const QString target = destinationDir.filePath(name);
        if (QFileInfo::exists(target)) {
            if (!overwrite) {
                continue;
            }
            if (!QFile::remove(target)) {
                return false;
            }
        }
        if (!QFile::copy(sourceDir.filePath(name), target)) {
            return false;
        }
    }
    for (const QString& name :
         sourceDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (!destinationDir.mkpath(name) ||
            !copyDirRecursively(sourceDir.filePath(name), destinationDir.filePath(name), overwrite,
                                nameFilter)) {
            return false;
        }
    }
    return true;
}

bool FolderFileManipulationHelper::removeDirRecursively(const QString& path, bool removeSelf) {
    QDir dir(path);
    if (!dir.exists()) {
        return false;
    }
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!dir.remove(name)) {
            return false;
        }
    }
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (!removeDirRecursively(dir.filePath(name), true)) {
            return false;
        }
    }
    return !removeSelf || QDir().rmdir(path);
}
