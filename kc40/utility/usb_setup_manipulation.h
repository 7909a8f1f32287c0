#pragma once

#include <QObject>
#include <QString>

#include <functional>

class Logger;

// What the unit and a USB stick exchange. A stick inserted receives the unit's setup,
// configuration and log folders under "norvane/downloaded_setups/<serial number>". A setup
// offered on it ("norvane/upload_new_setup", with "upload_new_configuration" beside it) that
// this unit has not taken yet is staged for the next start, marked as taken on the stick, and
// the unit restarts to apply it. While a stick is in, each settings file written reaches it.
class USB_setup_manipulation : public QObject {
    Q_OBJECT
public:
    // relaunch starts a fresh copy of the unit; false when it could not.
    explicit USB_setup_manipulation(Logger& logger, std::function<bool()> relaunch,
                                    QObject* parent = nullptr);

    void copyToStick(const QString& fileFilter);
    bool checkWhetherToCopyFromStick() const;
    bool checkWhetherToCopyConfigFromStick() const;

public Q_SLOTS:
    void slotDeviceDetected();
    void slotCopyFileToStick(const QString& fileName);

private:
    // The offered setup, and the offered configuration with it, copied completely into the
    // staging folders, or nothing staged at all.
    bool stageOffer(bool withConfiguration);
    void restartApp();

    std::function<bool()> m_relaunch;
};
