#pragma once

#include "nmeamessage.h"
#include "sentenceframer.h"

#include <QObject>
#include <QSerialPort>
#include <QString>

#include <memory>

// One NMEA serial line of the unit (Nmea_1, Nmea_2, the debug port): opened 8N1 without flow
// control at 4800, 38400 or 115200 baud, cut into sentences, parsed and handed on while
// receiving is enabled; sentences to send are written as they are.
class SerialReader : public QObject {
    Q_OBJECT
public:
    explicit SerialReader(QObject* parent = nullptr);
    ~SerialReader() override;

    static bool validateBaudRate(int baudRate);
    // The rate a line configured at this rate runs at: only 4800, 38400 and 115200 are line
    // rates; anything else runs at the ship's standard 4800.
    static int lineBaudRate(int configured);

    // name: a device name without folder ("ttyS1").
    bool init(const QString& name, int baudRate, bool connectReceive);
    void close();
    bool isOpen() const;
    QString devicePath() const { return m_devicePath; }

    // Bytes queued for the line, or -1 when the line is not open. They leave when the event
    // loop next runs, or at once on flush().
    int sendMessage(const QString& text);
    void flush();
    void enableReceiving(bool enabled) { m_receivingEnabled = enabled; }
    void enableLogging(bool enabled) { m_loggingEnabled = enabled; }

Q_SIGNALS:
    void receivedSerialNmea(NmeaMessagePtr message);

private Q_SLOTS:
    void slotReadNmeaPacket();

private:
    std::unique_ptr<QSerialPort> m_port;
    SentenceFramer m_framer;
    QString m_devicePath;
    bool m_writable = false;
    bool m_receivingEnabled = false;
    bool m_loggingEnabled = false;
};
