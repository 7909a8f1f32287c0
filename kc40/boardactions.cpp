#include "boardactions.h"

#include "logger.h"
#include "platform.h"

#include <QCoreApplication>

void BoardActions::reboot() {
    CommandRunner::run(QStringLiteral("reboot"));
}

void BoardActions::relaunch() {
    if (Platform::relaunch()) {
        QCoreApplication::exit(0);
        return;
    }
    Logger::instance()->append(QStringLiteral("Restart after leaving SAT LOG failed"),
                               Logger::LOG_ERROR);
}

void BoardActions::removeFile(const QString& boardPath) {
    CommandRunner::run(QStringLiteral("rm ") + boardPath);
}
