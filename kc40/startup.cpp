#include "startup.h"

#include "folderfilemanipulationhelper.h"
#include "logger.h"
#include "platform.h"
#include "setupfilesparser.h"
#include "systemsetup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
const QString kVersionFolder = QStringLiteral("previously_running");
const QString kNewSetups = QStringLiteral("new_setup_files");
const QString kNewConfigurations = QStringLiteral("new_configuration_files");
const QString kSetups = QStringLiteral("setup_files");
const QString kConfigurations = QStringLiteral("configuration_files");
const QString kBackupSetups = QStringLiteral("backup_setup_files");
const QString kBackupConfigurations = QStringLiteral("backup_configuration_files");
const QString kBackupConfigurationsUsb = QStringLiteral("backup_configuration_files_usb");

QString app(const QString& relative) {
    return Platform::appPath(relative);
}

QString versionMarker() {
    return app(kVersionFolder + QLatin1Char('/') + QLatin1String(StartUp::kVersionText) +
               QLatin1String(".ver"));
}

void logLine(const QString& text, int level) {
    Logger::instance()->append(text, level);
}

// Copies a folder, or makes an empty one where there is nothing to copy, so that a backup
// folder always exists after the first run of a version.
bool backUp(const QString& source, const QString& backup) {
    if (!QFileInfo::exists(source)) {
        return QDir().mkpath(backup);
    }
    return FolderFileManipulationHelper::copyDirRecursively(source, backup, true, QString());
}
} // namespace

bool StartUp::writeVersionFile(const QString& stamp) {
    QDir().mkpath(Platform::appDir());
    QSaveFile file(app(QStringLiteral("norvane_version")));
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(stamp.toLatin1());
    if (!file.commit()) {
        return false;
    }
    QFile::setPermissions(file.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return true;
}

bool StartUp::deliverConfiguration() {
    if (!QFileInfo::exists(app(kNewConfigurations + QLatin1String("/exist")))) {
        return true;
    }
    const QString live = app(kConfigurations);
    const QString incoming = app(kConfigurations + QLatin1String(".incoming"));
    QDir(incoming).removeRecursively();
    if (!FolderFileManipulationHelper::copyDirRecursively(app(kNewConfigurations), incoming, true,
                                                          QString())) {
        QDir(incoming).removeRecursively();
        logLine(QStringLiteral("Delivered configuration could not be copied; kept in ") +
                    kNewConfigurations,
                Logger::LOG_ERROR);
        return false;
    }
    if (QFileInfo::exists(live)) {
        if (!FolderFileManipulationHelper::copyDirRecursively(live, app(kBackupConfigurationsUsb),
                                                              true, QString())) {
            QDir(incoming).removeRecursively();
            logLine(QStringLiteral("Configuration backup failed; delivered configuration kept "
                                   "in ") +
                        kNewConfigurations,
                    Logger::LOG_ERROR);
            return false;
        }
        // The rename below is the switch-over; the old folder goes only once the new one is
        // in its place.
        const QString retired = app(kConfigurations + QLatin1String(".retired"));
        QDir(retired).removeRecursively();
        if (!QDir().rename(live, retired)) {
            QDir(incoming).removeRecursively();
            logLine(QStringLiteral("Configuration folder could not be replaced"),
                    Logger::LOG_ERROR);
            return false;
        }
        if (!QDir().rename(incoming, live)) {
            QDir().rename(retired, live);
            QDir(incoming).removeRecursively();
            logLine(QStringLiteral("Configuration folder could not be replaced"),
                    Logger::LOG_ERROR);
            return false;
        }
        QDir(retired).removeRecursively();
    } else if (!QDir().rename(incoming, live)) {
        QDir(incoming).removeRecursively();
        logLine(QStringLiteral("Configuration folder could not be created"), Logger::LOG_ERROR);
        return false;
    }
    FolderFileManipulationHelper::removeDirRecursively(app(kNewConfigurations), true);
    logLine(QStringLiteral("New configuration files taken over"), Logger::LOG_INFO);
    return true;
}

StartMode StartUp::chooseStartMode() {
    if (QFileInfo::exists(versionMarker())) {
        if (!QFileInfo::exists(app(kNewSetups + QLatin1String("/exist")))) {
            return StartMode::Normal;
        }
        return QFileInfo::exists(app(kNewSetups + QLatin1String("/overwrite_serial")))
                   ? StartMode::NewSetupFilesWithSerial
                   : StartMode::NewSetupFiles;
    }
    const QString folder = app(kVersionFolder);
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    QFile marker(versionMarker());
    if (!marker.open(QIODevice::WriteOnly)) {
        logLine(QStringLiteral("Cannot write the version marker ") + versionMarker(),
                Logger::LOG_ERROR);
    }
    marker.close();
    if (!backUp(app(kSetups), app(kBackupSetups)) ||
        !backUp(app(kConfigurations), app(kBackupConfigurations))) {
        logLine(QStringLiteral("Backup of the setup or configuration folder failed"),
                Logger::LOG_ERROR);
    }
    return StartMode::FirstRunOfVersion;
}

bool StartUp::prepareSetupFiles(StartMode mode) {
    // Loading the configuration first writes every missing live record with its defaults,
    // so that the overlay finds a live counterpart for each staged record.
    SystemSetup::getInstance();
    SetupFilesParser parser;
    switch (mode) {
    case StartMode::FirstRunOfVersion:
        return parser.tryParseSetups(app(kSetups), app(kBackupSetups), true) &&
               parser.tryParseConfigs(app(kConfigurations), app(kBackupConfigurations));
    case StartMode::NewSetupFiles:
    case StartMode::NewSetupFilesWithSerial:
        if (!parser.tryParseSetups(app(kSetups), app(kNewSetups),
                                   mode == StartMode::NewSetupFilesWithSerial)) {
            return false;
        }
        return FolderFileManipulationHelper::removeDirRecursively(app(kNewSetups), true);
    case StartMode::Normal:
        break;
    }
    return true;
}
