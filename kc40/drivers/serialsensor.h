#pragma once

#include "nmeamessage.h"
#include "rawframecutter.h"
#include "sentenceframer.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QTimer>

#include <atomic>
#include <memory>

// The serial line to the Doppler sensor (4800 baud normally, 115200 while raw data or an
// upgrade own it). Cuts sentences, counts good and bad ones, keeps a configuration or test
// command alive until the sensor echoes it (every 2 s, 11 writes at most), runs the one-byte
// mute handshake and, in raw-data mode, cuts the binary measurement frames for the network.
// A line that goes away under the unit (its device gone, as when a cable adapter is pulled
// and plugged in again) is opened again at the same rate once a second until it is back.
class SerialSensor : public QObject {
    Q_OBJECT
public:
    static constexpr int kRepeatIntervalMs = 2000;
    static constexpr int kMaxWrites = 11;
    static constexpr int kMuteIntervalMs = 100;
    static constexpr int kMaxMuteWrites = 10;
    static constexpr int kReopenIntervalMs = 1000;
    static constexpr char kMuteByte = 0x13;
    static constexpr char kUnmuteByte = 0x11;

    explicit SerialSensor(QObject* parent = nullptr);
    ~SerialSensor() override;

    static bool validateBaudRate(int baudRate);
    // name: a device name without folder ("ttyS3").
    bool init(const QString& name, int baudRate, bool connectReceive);
    // Closes the line for good: a line closed here is not opened again by itself.
    void close();
    bool isWritable() const { return writable; }

    // Bytes written, 0 when refused. A text with "CFG" or "TST" awaits its echo.
    int sendMessage(const QString& text, bool forceSend);
    int sendByteArray(const QByteArray& bytes, bool forceSend);

    // Writes "$", 0x13 (mute) or 0x11 (unmute), "$" every 100 ms, 10 times at most, until the
    // sensor answers with that byte.
    void requestMute(bool mute);

    void setRAWDataMode(bool on);
    bool getRAWDataMode() const { return rawDATAMode; }
    void setRawMeasurementSettings(int settings) { rawMeasurementSettings = settings; }
    // Waits for at least maxCount bytes or the time-out, then reads at most maxCount bytes.
    QByteArray readAvaiable(int maxCount, int timeoutMs);
    void discast();
    // Blocks until everything written has left for the line; false when it could not within
    // the time. For a line read without an event loop.
    bool waitUntilWritten(int timeoutMs);

    bool getWaitForAck() const { return waitForMute; }
    void setWaitForAck(bool wait) { waitForMute = wait; }
    bool getMuteOn() const { return muteOn; }
    void setMuteOn(bool on) { muteOn = on; }
    bool getOnlyDAT4() const { return m_onlyDAT4; }
    void enableReceiving(bool enabled) { bReceivingEnabled = enabled; }
    void setRepeatIntervalMs(int ms) { cfgRepeatTimer.setInterval(ms); }
    bool isAwaitingAnswer() const { return cfgRepeatTimer.isActive(); }
    QString awaitedCommand() const { return CFG_to_repeat; }

    quint32 goodCount() const { return m_goodCount; }
    quint32 badCount() const { return m_badCount; }

    static bool getBSendingFromApplicationEnabled() { return bSendingFromApplicationEnabled; }
    static void setBSendingFromApplicationEnabled(bool enabled) {
        bSendingFromApplicationEnabled = enabled;
    }

Q_SIGNALS:
    void receivedSerialNmea(NmeaMessagePtr message);
    void sigSynchConfirmed(bool muted);
    void receivedInvalidDataFromSensor();
    void receivedValidDataFromSensor();
    void sigSendBinaryToUDP(const QByteArray& frame);

public Q_SLOTS:
    void setOnlyDAT4(bool only) { m_onlyDAT4 = only; }

private Q_SLOTS:
    void slottReadNmeaPacket();
    void repeatCFG();
    void repeatMuteRequest();
    void lineFailed(QSerialPort::SerialPortError error);
    void reopen();

private:
    void receiveNormalMode(const QByteArray& bytes);
    void receiveRAWDataMode(const QByteArray& bytes);
    // True when the read held the awaited mute answer; the rest of the read is then dropped.
    bool checkMuteAnswer(const QByteArray& bytes);
    void checkAnswer(const QString& sentence);
    void handleSentence(const QString& sentence);
    void stopRepeating(bool answered);
    bool isSignOfLife(const NmeaMessage& message, const QString& sentence) const;

    std::unique_ptr<QSerialPort> port;
    SentenceFramer framer;
    bool writable = false;
    bool waitForMute = false;
    bool muteOn = false;
    bool rawDATAMode = false;
    bool rawDataFirstStart = false;
    RawFrameCutter rawData;
    int rawMeasurementSettings = 0;
    QTimer cfgRepeatTimer;
    QString CFG_to_repeat;
    bool CFG_repeat_top_level = false;
    int CFG_repetition_count = 0;
    bool m_onlyDAT4 = false;
    QString uartDevicePath;
    // What the line was last opened with, to open it again after it went away.
    QString lineName;
    int lineBaud = 0;
    bool lineReceives = false;
    QTimer reopenTimer;
    bool bReceivingEnabled = true;
    QTimer muteRepeatTimer;
    QByteArray muteRequest;
    int muteWrites = 0;
    quint32 m_goodCount = 0;
    quint32 m_badCount = 0;

    static inline std::atomic<bool> bSendingFromApplicationEnabled{true};
};
