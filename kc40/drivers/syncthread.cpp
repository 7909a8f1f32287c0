#include "syncthread.h"

SyncThread::SyncThread(int periodMs) : m_timer(new QTimer) {
    m_timer->setInterval(periodMs);
    // Emitted on the timer's thread; receivers on other threads get it queued.
    connect(m_timer, &QTimer::timeout, this, &SyncThread::sigSendSyncVQ1_VQ2, Qt::DirectConnection);
    m_timer->moveToThread(&m_thread);
    connect(&m_thread, &QThread::started, m_timer, qOverload<>(&QTimer::start));
    connect(&m_thread, &QThread::finished, m_timer, &QObject::deleteLater);
    m_thread.start(QThread::InheritPriority);
}

SyncThread::~SyncThread() {
    m_thread.quit();
    m_thread.wait();
}
