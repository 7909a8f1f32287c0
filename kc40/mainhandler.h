#pragma once

#include "nmeamessage.h"
#include "serialreader.h"

#include <QObject>
#include <QString>

class ReceivedNmeaHandler;

// The unit's central object: owns the serial lines and the handlers and wires them together.
class MainHandler : public QObject {
    Q_OBJECT
public:
    explicit MainHandler(QObject* parent = nullptr);
    ~MainHandler() override;

    // Only 4800, 38400 and 115200 are line rates; anything else opens the line at 4800.
    static int lineBaudRate(int configured);

public Q_SLOTS:
    void slotChannelBaudChanged(const QString& channel, int baudRate);

private Q_SLOTS:
    void handleNmea_1_message(NmeaMessagePtr message);
    void handleNmea_2_message(NmeaMessagePtr message);
    void handleSensor_message(NmeaMessagePtr message);

private:
    void initSerial();
    // Opens one line and logs the outcome; a line that fails leaves the others untouched.
    bool openLine(SerialReader& reader, const QString& name, int baudRate,
                  bool connectReceive = true);

    SerialReader serialReaderNmea_1;
    SerialReader serialReaderNmea_2;
    SerialReader serialReaderDbgu;
    SerialReader serialReaderSensor;
    ReceivedNmeaHandler* receivedNmeaHandler;
};
