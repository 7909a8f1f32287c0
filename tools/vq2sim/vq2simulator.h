#pragma once

#include "flashprom.h"
#include "rawpty.h"
#include "scenario.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>

#include <array>
#include <atomic>
#include <memory>

// Plays the Doppler sensor on the master side of a pseudo-terminal whose slave is linked where
// the unit expects its sensor line. Like a UART it writes only while the unit has the line
// open, and each opening is a new session. Twice a second it ends a ping cycle with DAT4 and,
// when dual-frequency, DAT5 right behind it (then it listens for commands), echoes CFG (ten fields)
// and TST (five fields; a test sends the speeds it asks for), answers the SNF request and the mute
// bytes, falls silent for a second on a reload, streams raw frames at 115200 baud after the
// raw-data preamble, and misbehaves as the scenario's faults ask. After the same preamble and
// "$PNRVFIRS" at 115200 baud it is in firmware mode: its configuration PROM takes the
// programming frames, and a reload of its logic after new pages reports the new image; it
// measures again once the line is back at 4800 baud. What it receives can be recorded as JSON
// lines (time, baud, bytes). May run on a thread of its own; its state queries are atomic.
class Vq2Simulator : public QObject {
    Q_OBJECT
public:
    static constexpr int kTickMs = 50;
    // Two ping cycles a second.
    static constexpr int kCycleMs = 500;
    static constexpr int kReloadSilenceMs = 1000;
    static constexpr int kRawFrameBody = 1100;
    static constexpr int kBurstSentences = 100;

    explicit Vq2Simulator(const Scenario& scenario, QObject* parent = nullptr);
    ~Vq2Simulator() override;

    // Creates the pseudo-terminal (raw: 0x11 and 0x13 pass) and links its slave at linkPath.
    bool open(const QString& linkPath, QString* error = nullptr);
    // Appends one JSON line per read to this file.
    bool setRecordFile(const QString& path);
    void setScenario(const Scenario& scenario);
    // Measures the ship's speeds the navigation simulator leaves in this file, in place of the
    // scenario's, while the file can be read.
    void followShip(const QString& shipFile) { m_shipFile = shipFile; }

    bool isLineOpen() const { return m_lineOpen; }
    int sessions() const { return m_sessions; }
    int baudRate() const;
    bool isMuted() const { return m_muted; }
    bool isTestOn() const { return m_testOn; }
    bool isRawStreaming() const { return m_rawStreaming; }
    bool isInFirmwareMode() const { return m_firmwareMode; }
    // The PROM, while the simulator's thread is stopped or from that thread.
    const FlashProm& flash() const { return m_flash; }
    // Everything received, while the simulator's thread is stopped or from that thread.
    QByteArray receivedBytes() const { return m_receivedAll; }

Q_SIGNALS:
    void sessionStarted(int session);
    void sessionEnded();
    // baud: the line's rate when it arrived; sinceDatMs: time since the last DAT was written.
    void commandReceived(const QString& sentence, int baud, qint64 sinceDatMs);
    void firmwareMode(bool on);
    // The logic loaded new pages: the image in the bit order of its file, the last page
    // zero-padded.
    void firmwareLoaded(const QByteArray& image);

private Q_SLOTS:
    void tick();
    void readLine();

private:
    void startSession();
    // A cable pulled and plugged in again: the line goes and a new one takes its place.
    void reopen();
    // Within the silent end of a periodic silence.
    bool inSilence(qint64 now) const;
    // Reads until nothing is waiting; false when nothing was read.
    bool readOnce();
    void drain();
    void endSession();
    void handleInput(const QByteArray& bytes);
    // True when the preamble and the firmware command have come at 115200 baud.
    bool entersFirmwareMode();
    void handleFirmwareInput();
    void leaveFirmwareMode();
    void handleMuteBytes(QByteArray& input);
    void handleCommand(const QString& sentence);
    void answer(const QByteArray& bytes);
    // One ping cycle: DAT4, then DAT5 from a dual-frequency sensor.
    void sendCycle();
    void sendRawFrame();
    void writeSentence(const QByteArray& sentence);
    void write(const QByteArray& bytes);
    void record(const QByteArray& bytes);
    QByteArray datSentence(int system);
    bool sendsDat5() const { return m_scenario.firmware >= 300; }

    Scenario m_scenario;
    QString m_shipFile;
    QString m_link;
    RawPty m_pty;
    std::unique_ptr<QSocketNotifier> m_reader;
    QTimer m_tick;
    QElapsedTimer m_clock;
    QFile m_record;
    std::atomic<bool> m_lineOpen{false};
    std::atomic<int> m_sessions{0};
    QByteArray m_input;
    QByteArray m_receivedAll;
    std::atomic<bool> m_muted{false};
    std::atomic<bool> m_testOn{false};
    // Speeds a test asks for: water longitudinal and transverse, ground longitudinal and
    // transverse (TST formats "1000", "1010", "1100", "1110"; "1000" sets both longitudinal).
    std::array<float, 4> m_testSpeeds{};
    std::atomic<bool> m_rawStreaming{false};
    std::atomic<bool> m_firmwareMode{false};
    FlashProm m_flash;
    int m_programsLoaded = 0;
    qint64 m_silentUntil = 0;
    qint64 m_nextDat = 0;
    int m_datCount = 0;
    int m_cycleCount = 0;
    qint64 m_nextReopen = 0;
    qint64 m_lastDatAt = 0;
};
