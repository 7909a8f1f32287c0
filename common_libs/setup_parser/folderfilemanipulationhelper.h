#pragma once

#include <QString>

// Recursive folder copy and removal used when setups and configurations are delivered,
// backed up or restored.
class FolderFileManipulationHelper {
public:
    // Copies files and subfolders of source into destination (created when missing).
    // With a non-empty nameFilter only files of exactly that name are copied; existing files
    // are replaced only with overwrite. Returns false at the first failure.
    static bool copyDirRecursively(const QString& source, const QString& destination,
                                   bool overwrite, const QString& nameFilter);
    // Removes everything inside path; with removeSelf the folder itself as well.
    static bool removeDirRecursively(const QString& path, bool removeSelf);
};
