#include "usbstick.h"

#include "platform.h"

#include <QFile>

bool UsbStick::present() {
    QFile table(Platform::path(QStringLiteral("/etc/mtab")));
    return table.open(QIODevice::ReadOnly) && mountPoints(table.readAll()).contains(kMountPoint);
}

QStringList UsbStick::mountPoints(const QByteArray& table) {
    QStringList points;
    for (const QByteArray& line : table.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 1) {
            points << QString::fromLocal8Bit(fields[1]);
        }
    }
    return points;
}

QString UsbStick::path(const QString& relative) {
    return Platform::path(kMountPoint + QLatin1Char('/') + relative);
}
