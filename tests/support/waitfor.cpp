#include "waitfor.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return condition();
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

void spinFor(int milliseconds) {
    waitFor([] { return false; }, milliseconds);
}
