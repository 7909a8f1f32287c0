#pragma once

#include <QObject>
#include <QString>

// Carries out what the libraries ask of the board. Shell commands go through the platform's
// command runner, so that a virtual board records them instead of acting.
class BoardActions : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

public Q_SLOTS:
    void reboot();
    // Starts a fresh copy of the unit and leaves the event loop; the unit runs on when the
    // copy cannot be started. Only leaving satellite-log mode asks for it.
    void relaunch();
    void removeFile(const QString& boardPath);
};
