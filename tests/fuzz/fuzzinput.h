#pragma once

#include <QByteArray>
#include <QLoggingCategory>
#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>

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

// What follows the first byte of an input that is not empty: the targets spend that byte on
// choosing what reads the rest.
inline QByteArray afterFirstByte(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
}

// A reader of a file's bytes, one of those a target chooses from.
using Load = void (*)(const QByteArray&);

// The bytes after the first go to the reader that byte picks; an empty input goes nowhere.
template <std::size_t N>
void loadWithChosenReader(const Load (&loads)[N], const std::uint8_t* data, std::size_t size) {
    if (size > 0) {
        loads[data[0] % N](afterFirstByte(data, size));
    }
}
