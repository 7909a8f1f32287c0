#pragma once

#include "nmeamessage.h"
#include "platformtimer.h"

#include <QFile>
#include <QObject>
#include <QString>
#include <QTextStream>
#include <QThread>

#include <memory>

class LogFileParser;

// Plays a demonstration: one sentence line every 200 ms, round and round, handed on as if the
// sensor and the ship's equipment had sent it. The file is the one in the application folder,
// else the one on the USB stick, else the demonstration built into the program. A recorded
// log on the stick is first converted into the application folder's file.
class DemoPlayer : public QObject {
    Q_OBJECT
public:
    static constexpr int kLineIntervalMs = 200;
    static constexpr const char* kStickLog = "/media/usb0/norvane/demo/log_data.txt";
    static constexpr const char* kStickDemo = "/media/usb0/norvane/demo/demo_data.txt";
    static constexpr const char* kDemoFileName = "demo_data.txt";
    static constexpr const char* kBuiltInDemo = ":/icons/demo_data";

    explicit DemoPlayer(QObject* parent = nullptr);
    ~DemoPlayer() override;

    // One line of a demonstration file ("$" or any first character, the sentence without its
    // checksum) as the sentence it stands for.
    static NmeaMessagePtr sentenceOf(const QString& line);
    bool isRunning() const { return m_isRunning; }
    // The file being played.
    QString filePath() const { return m_filePath; }

public Q_SLOTS:
    void playDemo();
    void stopDemo();
    void startDemoFromFile();

Q_SIGNALS:
    void nmeaMessageFromFile(NmeaMessagePtr message);
    void parseFile(const QString& logPath);

private Q_SLOTS:
    void slotLogFileParsed(const QString& demoText);
    void playNextLine();

private:
    QString m_filePath;
    QFile m_demoFile;
    std::unique_ptr<QTextStream> m_inputStream;
    PlatformTimer m_demoTimer;
    QThread m_parserThread;
    LogFileParser* m_logParser;
    bool m_isRunning = false;
    // Asked to play and not stopped since: a conversion that ends after a stop plays nothing.
    bool m_wanted = false;
};
