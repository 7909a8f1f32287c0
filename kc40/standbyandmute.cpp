#include "standbyandmute.h"

#include "serialsensor.h"
#include "systemsetup.h"

StandbyAndMute::StandbyAndMute(SerialSensor& line, SystemSetup& setup,
                               std::function<bool()> sensorInUse, QObject* parent)
    : QObject(parent), m_line(line), m_setup(setup), m_sensorInUse(std::move(sensorInUse)) {}

void StandbyAndMute::slotSynchRequest(bool mute) {
    if (mute == synchOn && !firstSynch) {
        return;
    }
    firstSynch = false;
    m_line.requestMute(mute);
}

void StandbyAndMute::slotSynchConfirmed(bool muted) {
    if (muteFromStandby) {
        m_setup.confirmSystemStandby(muted);
        muteFromStandby = muted;
    }
    synchOn = muted;
    m_line.setWaitForAck(false);
    m_line.setMuteOn(muted);
    Q_EMIT sigMuteChanged(muted);
}

void StandbyAndMute::slotSynchOffNmeaReceived(bool muted) {
    if (muted != synchOn) {
        slotSynchConfirmed(muted);
    }
}

void StandbyAndMute::slotShotDownSensor(bool standby) {
    if (!m_sensorInUse()) {
        m_setup.confirmSystemStandby(standby);
        return;
    }
    muteFromStandby = true;
    if (standby == synchOn && !firstSynch) {
        // Muted already by another speed log, or not muted: nothing to wait for.
        slotSynchConfirmed(standby);
        return;
    }
    slotSynchRequest(standby);
}
