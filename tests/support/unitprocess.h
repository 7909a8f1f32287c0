#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// The unit's program running on a virtual board, as the equipment around it sees it.
// Its standard error (the log) is collected; the unit and any fresh copy it started are
// stopped when the object goes.
class UnitProcess {
public:
    UnitProcess(QString binary, QString root);
    ~UnitProcess();
    UnitProcess(const UnitProcess&) = delete;
    UnitProcess& operator=(const UnitProcess&) = delete;

    // Starts "kc40 --root ROOT --net-if lo" plus the extra arguments.
    void start(const QStringList& extra = {});
    // Waits for the first process to end; its exit code, or -1 on time-out.
    int waitForExit(int timeoutMs);
    bool isRunning() const;
    // The log so far (standard error and output of the first process).
    QByteArray log();
    bool waitForLog(const QByteArray& text, int timeoutMs);
    // Process id in ROOT/var/run/kc40.pid (the running unit, also after a restart), or 0.
    qint64 runningPid() const;

private:
    QString m_binary;
    QString m_root;
    QProcess m_process;
    QByteArray m_log;
};

bool processAlive(qint64 pid);
