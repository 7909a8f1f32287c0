#pragma once

#include <QObject>

#include <functional>

class SerialSensor;
class SystemSetup;

// Keeps the sensor quiet when it must be: muted on request of another speed log (two logs
// must not ping at the same time) and muted while the display holds the system in standby.
// A mute is done when the sensor answers the one-byte request; only then is the new state
// taken, and a standby that caused it confirmed to the display.
class StandbyAndMute : public QObject {
    Q_OBJECT
public:
    // sensorInUse: false while the unit runs without its sensor (satellite log); then standby
    // needs no mute and is confirmed at once.
    StandbyAndMute(SerialSensor& line, SystemSetup& setup, std::function<bool()> sensorInUse,
                   QObject* parent = nullptr);

    bool isMuted() const { return synchOn; }

public Q_SLOTS:
    // Mute (true) or unmute the sensor. A request for the state the sensor is already in is
    // not sent again, but the very first request always is.
    void slotSynchRequest(bool mute);
    // The sensor answered the mute request.
    void slotSynchConfirmed(bool muted);
    // A sensor that sends data is not muted.
    void slotSynchOffNmeaReceived(bool muted);
    // The display asks for standby (true) or to wake up (false).
    void slotShotDownSensor(bool standby);

Q_SIGNALS:
    // The sensor is now muted or pinging again.
    void sigMuteChanged(bool muted);

private:
    SerialSensor& m_line;
    SystemSetup& m_setup;
    std::function<bool()> m_sensorInUse;
    bool synchOn = false;
    bool firstSynch = true;
    // The mute in progress or in place was caused by standby.
    bool muteFromStandby = false;
};
