#pragma once

#include <QObject>
#include <QThread>
#include <QTimer>

// Asks once a minute, from a thread of its own, for the synchronisation of the older speed
// log with the sensor.
class SyncThread : public QObject {
    Q_OBJECT
public:
    static constexpr int kPeriodMs = 60000;

    explicit SyncThread(int periodMs = kPeriodMs);
    ~SyncThread() override;

Q_SIGNALS:
    void sigSendSyncVQ1_VQ2();

private:
    QThread m_thread;
    QTimer* m_timer;
};
