#pragma once

#include <QString>

// The board's USB socket on a virtual board: a stick is in while the mount table under the
// root lists its mount point, as the board's automounter leaves it. The mount point folder
// stays when the stick is pulled, as on the board.
class UsbStickSlot {
public:
    explicit UsbStickSlot(QString root) : m_root(std::move(root)) {}

    bool inserted() const;
    bool insert() const;
    bool pull() const;
    // Inserts a stick when none is in, else pulls it; false when the mount table cannot be
    // written.
    bool toggle() const { return inserted() ? pull() : insert(); }

private:
    QString m_root;
};
