#pragma once

#include "nmeamessage.h"
#include "serialreader.h"
#include "serialsensor.h"

#include <QObject>
#include <QString>

class Outpu_Channels_Setup;

// The unit's serial lines: NMEA channels 1 and 2 ("ttyS1", "ttyS2") at the rates of their
// channel setup, the sensor line ("ttyS3", 4800 baud) and the debug port ("ttyS0", held open at
// 115200 and not read). A line that cannot be opened is logged and the unit runs on without it.
// Sentences received on the channels and the sensor line are handed on with their source.
class SerialLines : public QObject {
    Q_OBJECT
public:
    static constexpr int kSourceNmea1 = 1;
    static constexpr int kSourceNmea2 = 2;

    explicit SerialLines(QObject* parent = nullptr);

    // Opens every line and starts receiving.
    void open(const Outpu_Channels_Setup& channels);

    SerialReader& nmea1() { return m_nmea1; }
    SerialReader& nmea2() { return m_nmea2; }
    SerialSensor& sensor() { return m_sensor; }

public Q_SLOTS:
    // A channel's stored rate changed: its line is reopened at the rate it can run.
    void slotChannelBaudChanged(const QString& channel, int baudRate);
    // A command for the sensor line (channel 3) from the sensor command thread.
    void slotSendToSensor(int channel, NmeaMessagePtr message);
    // true closes the sensor line so that the command thread may open the device itself;
    // false opens it again at 4800 baud.
    void slotStopSensorUart(bool stop);

Q_SIGNALS:
    // A sentence from Nmea_1 (source 1) or Nmea_2 (source 2).
    void sigChannelSentence(NmeaMessagePtr message, int source);
    void sigSensorSentence(NmeaMessagePtr message);
    // The normal sensor line is closed.
    void sigSensorLineReleased();

private:
    // Opens one line and logs the outcome; a line that fails leaves the others untouched.
    static bool openLine(SerialReader& reader, const QString& name, int baudRate,
                         bool connectReceive = true);

    SerialReader m_nmea1;
    SerialReader m_nmea2;
    SerialReader m_debug;
    SerialSensor m_sensor;
};
