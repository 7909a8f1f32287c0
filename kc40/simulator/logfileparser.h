#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// Turns a recorded log into a demonstration: for each second of the log, the heading and rate
// of turn of its DLM sentence as HEROT and HEHDT, the GPS course and speed as GPVTG, then the
// sensor's DAT sentences of both systems. Lives on a thread of its own (the log is large); the
// demonstration text goes back to the main thread, which writes it.
class LogFileParser : public QObject {
    Q_OBJECT
public:
    explicit LogFileParser(QObject* parent = nullptr);
    ~LogFileParser() override;

    // The demonstration text for the log's lines; a second whose sentences lack the fields it
    // needs is left out.
    static QString convert(const QStringList& logContents);
    // The same for the log file's whole text, lines ending in a line feed or CR LF.
    static QString convertText(const QString& logText);

public Q_SLOTS:
    void parseLogFile(const QString& logPath);

Q_SIGNALS:
    void logFileParsed(const QString& demoText);
};
