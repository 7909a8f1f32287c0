#include "setupfilesparser.h"

#include <QDebug>
#include <QDir>

// The record overlay itself comes with the configuration records. Until then a staged file
// that has a live counterpart cannot be merged: report failure so the caller keeps the staged
// files instead of discarding them.
bool SetupFilesParser::tryParseSetups(const QString& liveFolder, const QString& newFolder,
                                      bool overwriteSerial) {
    Q_UNUSED(overwriteSerial);
    const QDir live(liveFolder);
    const QDir staged(newFolder);
    for (const QString& name : staged.entryList(QDir::Files)) {
        if (live.exists(name)) {
            qWarning() << "Setup overlay not available, keeping" << staged.filePath(name);
            return false;
        }
    }
    return true;
}

bool SetupFilesParser::tryParseConfigs(const QString&, const QString&) { return true; }
