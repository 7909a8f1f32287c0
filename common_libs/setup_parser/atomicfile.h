#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file so that a power cut leaves either the old or the new content, never a
// truncated one: the bytes go to a temporary file in the same folder, are flushed to the
// storage device, and the temporary file is renamed over the old one; the folder entry is
// flushed as well. A missing folder is created. Failures are logged as critical.
class AtomicFile {
public:
    static bool write(const QString& path, const QByteArray& content);
};
