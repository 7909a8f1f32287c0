#include "alr_controller.h"

#include "alarminstance.h"
#include "alertsink.h"
#include "systemsetup.h"

#include <QDebug>

void ALR_Controller::periodicalTestAndSend() {
    if (++nALR_reportingTimerCounter < kRepeatSeconds) {
        return;
    }
    nALR_reportingTimerCounter = 0;
    if (!isAnyAlarmActive()) {
        sendEmptyALR();
        return;
    }
    for (AlarmInstance* alert : alarmController.alerts()) {
        if (alert->getAlertState() != NO_ALARM) {
            sendALR(alert);
        }
    }
}

bool ALR_Controller::isAnyAlarmActive() const {
    for (const AlarmInstance* alert : alarmController.alerts()) {
        if (alert->getAlertState() != NO_ALARM) {
            return true;
        }
    }
    return false;
}

void ALR_Controller::notifyChangedState(AlarmInstance* alert) {
    // A return to normal is reported once, so that listeners see the condition gone.
    if (alert->getAlertState() != NO_ALARM || alert->getPreviousAlertState() != NO_ALARM) {
        sendALR(alert);
    }
}

void ALR_Controller::handleACK(const MsgACK& ack) {
    const int number = ack.uniqueAlarmNumber();
    if (SystemSetup::getInstance()->AlarmIDsSetup.getAlarmSouceByAlarmID(number) < 0) {
        qDebug().noquote() << "ERROR, received ACK on unknown Alarm ID: " << number;
        return;
    }
    // Alerts may share a number (the system alerts always do): all of them are acknowledged.
    for (AlarmInstance* alert : alarmController.alerts()) {
        if (alert->getAlertID() == number && alert->getAlertState() != NO_ALARM) {
            alert->setAcknowledgedInALR();
        }
    }
}

void ALR_Controller::sendALR(AlarmInstance* alert) {
    const auto message = createAlarmMessage(*alert);
    qDebug().noquote() << " Send ALR: " << message->getMsgBuffer().trimmed();
    alarmController.sendAlarmMessage(message);
}

void ALR_Controller::sendEmptyALR() {
    const auto message = createEmptyAlarmMessage();
    qDebug().noquote() << "Send ALR: " << message->getMsgBuffer().trimmed();
    alarmController.sendAlarmMessage(message);
}

std::shared_ptr<MsgALR> ALR_Controller::createAlarmMessage(const AlarmInstance& alert) {
    const AlarmLevel state = alert.getAlertState();
    const QString condition = isActiveLevel(state) ? QStringLiteral("A") : QStringLiteral("V");
    // An alert back to normal needs no acknowledgement any more.
    const QString acknowledged =
        state == ALR_ACTIVE_ACKED || state == NO_ALARM ? QStringLiteral("A") : QStringLiteral("V");
    return std::make_shared<MsgALR>(alert.getTimeStampleStateChanged(),
                                    QString::number(alert.getAlertID()), condition, acknowledged,
                                    alert.getAlertText());
}

std::shared_ptr<MsgALR> ALR_Controller::createEmptyAlarmMessage() {
    return std::make_shared<MsgALR>(QString(), QString(), QStringLiteral("V"), QStringLiteral("V"),
                                    QString());
}
