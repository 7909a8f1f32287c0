#pragma once

#include <QLoggingCategory>
#include <QString>
#include <QtGlobal>

// The fuzzed code logs everything it rejects. Switched off once per process, so that the runs
// spend their time parsing rather than formatting log lines nobody reads.
inline void silenceLogging() {
    static const bool silenced = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("*=false"));
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        return true;
    }();
    static_cast<void>(silenced);
}
