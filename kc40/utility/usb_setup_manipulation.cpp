#include "usb_setup_manipulation.h"

#include "folderfilemanipulationhelper.h"
#include "logger.h"
#include "platform.h"
#include "systemsetup.h"
#include "usbstick.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString kNewSetups = QStringLiteral("new_setup_files");
const QString kNewConfigurations = QStringLiteral("new_configuration_files");
const QString kOfferedSetup = QStringLiteral("norvane/upload_new_setup");
const QString kOfferedConfiguration = QStringLiteral("norvane/upload_new_configuration");
// A unit that was never given its own serial number carries this one.
constexpr quint32 kUnsetSerialNumber = 99999;

QString serialNumber() {
    return QString::number(SystemSetup::getInstance()->Kc40Setup.values().serialNumber);
}

QString onStick(const QString& relative) {
    return UsbStick::path(relative);
}

QString marker(const QString& what) {
    return onStick(QStringLiteral("norvane/") + serialNumber() + what);
}

bool touch(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

void logLine(const QString& text, int level) {
    Logger::instance()->append(text, level);
}

// A fresh copy of the folder on the stick in the staging folder, or no staging folder.
bool stage(const QString& offered, const QString& staging) {
    const QString folder = Platform::appPath(staging);
    QDir(folder).removeRecursively();
    if (FolderFileManipulationHelper::copyDirRecursively(onStick(offered), folder, true,
                                                         QString())) {
        return true;
    }
    QDir(folder).removeRecursively();
    return false;
}
} // namespace

USB_setup_manipulation::USB_setup_manipulation(Logger& logger, std::function<bool()> relaunch,
                                               QObject* parent)
    : QObject(parent), m_relaunch(std::move(relaunch)) {
    connect(&logger, &Logger::sigDevicePresent, this, &USB_setup_manipulation::slotDeviceDetected);
    connect(&logger, &Logger::sigCopyFileToUSB, this, &USB_setup_manipulation::slotCopyFileToStick);
}

void USB_setup_manipulation::copyToStick(const QString& fileFilter) {
    const QString downloaded = QStringLiteral("norvane/downloaded_setups/") + serialNumber();
    const std::pair<const char*, const char*> folders[] = {
        {"setup_files", "/setup"},
        {"configuration_files", "/configuration"},
        {"log_files", "/log_files"}};
    for (const auto& [unit, stick] : folders) {
        FolderFileManipulationHelper::copyDirRecursively(Platform::appPath(QLatin1String(unit)),
                                                         onStick(downloaded + QLatin1String(stick)),
                                                         true, fileFilter);
    }
}

bool USB_setup_manipulation::checkWhetherToCopyFromStick() const {
    return QFileInfo(onStick(kOfferedSetup)).isDir() &&
           !QFileInfo::exists(marker(QStringLiteral("_setup_copied")));
}

bool USB_setup_manipulation::checkWhetherToCopyConfigFromStick() const {
    return QFileInfo(onStick(kOfferedConfiguration)).isDir() &&
           !QFileInfo::exists(marker(QStringLiteral("_config_copied")));
}

// The stick is asked afresh: the logger samples it once a second, and a file written in
// between to a mount point without a stick would land on the board's own flash.
void USB_setup_manipulation::slotCopyFileToStick(const QString& fileName) {
    if (UsbStick::present()) {
        copyToStick(fileName);
    }
}

void USB_setup_manipulation::slotDeviceDetected() {
    copyToStick(QString());
    if (!checkWhetherToCopyFromStick()) {
        return;
    }
    const bool withConfiguration = checkWhetherToCopyConfigFromStick();
    if (!stageOffer(withConfiguration)) {
        logLine(QStringLiteral("Setup on the USB stick could not be copied; not taken over"),
                Logger::LOG_ERROR);
        return;
    }
    touch(marker(QStringLiteral("_setup_copied")));
    if (withConfiguration) {
        touch(marker(QStringLiteral("_config_copied")));
    }
    logLine(QStringLiteral("New setup from the USB stick; restarting"), Logger::LOG_INFO);
    restartApp();
}

// The next start takes over what the markers declare complete, so they are written only once
// every file is in place.
bool USB_setup_manipulation::stageOffer(bool withConfiguration) {
    const bool copied = stage(kOfferedSetup, kNewSetups) &&
                        (!withConfiguration || stage(kOfferedConfiguration, kNewConfigurations));
    const auto staged = [](const QString& name) {
        return Platform::appPath(kNewSetups + "/" + name);
    };
    bool marked = copied && touch(staged(QStringLiteral("exist"))) &&
                  touch(staged(QStringLiteral("from_usb")));
    if (marked && withConfiguration) {
        marked = touch(Platform::appPath(kNewConfigurations + QStringLiteral("/exist")));
    }
    if (marked && serialNumber() == QString::number(kUnsetSerialNumber)) {
        marked = touch(staged(QStringLiteral("overwrite_serial")));
    }
    if (!marked) {
        QDir(Platform::appPath(kNewSetups)).removeRecursively();
        QDir(Platform::appPath(kNewConfigurations)).removeRecursively();
    }
    return marked;
}

// A unit that cannot start its fresh copy runs on with its present setup.
void USB_setup_manipulation::restartApp() {
    if (m_relaunch()) {
        QCoreApplication::exit(0);
        return;
    }
    logLine(QStringLiteral("Restart after the USB setup upload failed"), Logger::LOG_ERROR);
}
