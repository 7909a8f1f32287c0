#pragma once

#include "nmeamessage.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>

#include <array>
#include <memory>

class SerialSensor;

// The sensor's pauses that take seconds: for its line to change hands, for its mode to switch
// and for its logic to reload. Tests shorten them.
struct UpgradeTiming {
    unsigned long lineHandOverMs = 3000;
    unsigned long modeSwitchMs = 1000;
    unsigned long reloadMs = 2000;
};

// Reprograms the sensor's logic: an FPGA that loads itself from a serial configuration PROM
// of 2048 pages of 256 bytes. The sensor bridges the PROM's SPI lines to its serial line in
// firmware mode, shifting every byte least significant bit first, so every command, address
// and data byte travels bit-reversed (through wmap). An image dropped into the firmware folder
// is checked before anything is touched, then the unit takes the sensor line over at
// 115200 baud, erases the PROM, writes the image page by page, reloads the logic and gives the
// line back at 4800 baud. The display follows it through RUS reports.
// Runs on the sensor command thread and blocks it for the whole upgrade.
class SensorVQ2Upgrader : public QObject {
    Q_OBJECT
public:
    static constexpr int kPageSize = 256;
    static constexpr int kPageCount = 2048;
    static constexpr qint64 kMaxImageSize = qint64(kPageSize) * kPageCount;
    static constexpr int kFrameSize = 273;
    static constexpr int kWriteBaud = 115200;

    // Entry i is the byte i with its bit order reversed.
    static const std::array<quint8, 256>& wmap();
    // Pages the image fills, the last one perhaps partly.
    static int pageCountOf(qint64 imageSize);
    // Page p of the image as it is written: mapped through wmap, the last page padded with
    // zeros to 256 bytes.
    static QByteArray imagePage(const QByteArray& image, int page);

    // An image read from the firmware folder, or why it is refused: the RUS text for the
    // display and the log line.
    struct Image {
        QByteArray bytes;
        QString refusal;
        QString logLine;
        bool usable() const { return refusal.isEmpty(); }
    };
    // A regular, readable, non-empty file of at most 2048 pages.
    static Image readImage(const QString& path);

    // Creates the firmware folder and empties it: an image must arrive while the unit runs.
    explicit SensorVQ2Upgrader(QObject* parent = nullptr);
    ~SensorVQ2Upgrader() override;

    void setTiming(const UpgradeTiming& timing) { m_timing = timing; }
    static QString firmwareFolder();
    bool sensorUpgradeFileExist() const;
    // The first regular file of the folder by name; else its first entry; empty when empty.
    QString getFirmwareFilePath() const;
    void removeOldFiles();
    // Asked once a tick: true when the entry has not changed since the last tick, so that an
    // image still being copied in is not taken half-written.
    bool imageSettled(const QString& path);
    // The whole upgrade; true when the new image is in the sensor.
    bool startUpgrade(const QString& path);

Q_SIGNALS:
    // true: close the normal sensor line; false: open it again at 4800 baud.
    void sigStopSensorUart(bool stop);
    void sigSendUdp(NmeaMessagePtr message);

private:
    void report(quint32 type, quint32 value, const QString& text);
    // Refuses the upgrade: the display is told, the log says why, the folder is emptied.
    bool giveUp(quint32 type, const QString& text, const QString& logLine);
    // The sensor line from the rest of the unit, at 115200 baud.
    bool takeLine();
    // Back to the rest of the unit at 4800 baud, with its sending enabled again.
    void giveLineBack();
    bool SendBinaryMessage(const QByteArray& bytes);
    void SendAsciiMessage(const QString& text);
    void discardReceived();
    void ShowRead();
    void buttonPROG_B();
    bool EraseButtonClick();
    bool CheckErasePROMStatus();
    void prepareWriting();
    // False when the line failed on the way.
    bool writeImage(const QByteArray& image);

    struct Entry {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const Entry&) const = default;
    };
    Entry m_lastSeen;
    std::unique_ptr<SerialSensor> m_line;
    QByteArray m_received;
    bool m_lineFailed = false;
    UpgradeTiming m_timing;
};
