#include "usbstickslot.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {
const QByteArray kMountLine = "/dev/sda1 /media/usb0 vfat rw,relatime 0 0";

QList<QByteArray> tableLines(const QString& path) {
    QFile table(path);
    return table.open(QIODevice::ReadOnly) ? table.readAll().split('\n') : QList<QByteArray>();
}

bool isStickLine(const QByteArray& line) {
    const QList<QByteArray> fields = line.simplified().split(' ');
    return fields.size() > 1 && fields[1] == "/media/usb0";
}

bool writeTable(const QString& path, const QList<QByteArray>& lines) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile table(path);
    if (!table.open(QIODevice::WriteOnly)) {
        return false;
    }
    for (const QByteArray& line : lines) {
        if (!line.isEmpty()) {
            table.write(line + '\n');
        }
    }
    return table.commit();
}
} // namespace

bool UsbStickSlot::inserted() const {
    const QList<QByteArray> lines = tableLines(m_root + "/etc/mtab");
    return std::any_of(lines.cbegin(), lines.cend(), isStickLine);
}

bool UsbStickSlot::insert() const {
    if (!QDir().mkpath(m_root + "/media/usb0")) {
        return false;
    }
    QList<QByteArray> lines = tableLines(m_root + "/etc/mtab");
    lines.removeIf(isStickLine);
    lines << kMountLine;
    return writeTable(m_root + "/etc/mtab", lines);
}

bool UsbStickSlot::pull() const {
    QList<QByteArray> lines = tableLines(m_root + "/etc/mtab");
    lines.removeIf(isStickLine);
    return writeTable(m_root + "/etc/mtab", lines);
}
