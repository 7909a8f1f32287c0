#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The USB stick as the board mounts it at "/media/usb0". The mount point exists on the board's
// flash whether a stick is in or not: only the mount table tells that one is.
class UsbStick {
public:
    static inline const QString kMountPoint = QStringLiteral("/media/usb0");

    // Reads the mount table now; a missing table means no stick.
    static bool present();
    // The mount points (second fields) of a mount table.
    static QStringList mountPoints(const QByteArray& table);
    // A path on the stick ("norvane/upload_new_setup"), as the board reaches it.
    static QString path(const QString& relative);
};
