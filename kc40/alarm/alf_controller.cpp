#include "alf_controller.h"

#include "alarminstance.h"
#include "alertsink.h"
#include "nmeaparser.h"
#include "systemsetup.h"

#include <QList>

namespace {
const QString kAcknowledge = QStringLiteral("A");
const QString kTakeResponsibility = QStringLiteral("O");
const QString kRepeat = QStringLiteral("Q");
const QString kSilence = QStringLiteral("S");

constexpr int kMaxAlfSequence = 9;
constexpr int kMaxAlcSequence = 99;

int nextInCycle(int value, int max) {
    return value >= max ? 0 : value + 1;
}
} // namespace

void ALF_controller::notifyChangedState(AlarmInstance* alert) {
    sendALF(alert);
}

void ALF_controller::sendALF(AlarmInstance* alert) {
    alarmController.sendAlarmMessage(createALF(*alert));
}

void ALF_controller::sendALC() {
    alarmController.sendAlarmMessage(createALC());
}

std::shared_ptr<MsgALF> ALF_controller::createALF(const AlarmInstance& alert) {
    auto message = std::make_shared<MsgALF>(
        1, 1, m_alfSequentialIdentifier, alert.getTimeStampleStateChanged(),
        alert.getAlertCategoryStr(), alert.getAlertPriorityStr(),
        alertStateLetter(alert.getAlertState()), QString(),
        static_cast<quint32>(alert.getAlertID()),
        static_cast<quint32>(alert.getAlertInstanceNumber()), alert.getRevisionCounter(),
        alert.getEscalationCounter(), alert.getAlertText());
    m_alfSequentialIdentifier = nextInCycle(m_alfSequentialIdentifier, kMaxAlfSequence);
    return message;
}

std::shared_ptr<MsgALC> ALF_controller::createALC() {
    auto message = std::make_shared<MsgALC>();
    message->setSequentialIdentifier(m_alcSequentialIdentifier);
    if (!SystemSetup::getInstance()->getSystemInStandby()) {
        for (const AlarmInstance* alert : alarmController.alerts()) {
            if (alert->getAlertState() != NO_ALARM) {
                message->addSentence(MsgSingleALC(QString(), alert->getAlertID(),
                                                  alert->getAlertInstanceNumber(),
                                                  alert->getRevisionCounter()));
            }
        }
    }
    m_alcSequentialIdentifier = nextInCycle(m_alcSequentialIdentifier, kMaxAlcSequence);
    return message;
}

std::shared_ptr<MsgARC> ALF_controller::createARC(int identifier, int instance,
                                                  const QString& command) const {
    return std::make_shared<MsgARC>(alarmController.utcTimeStamp(), QString(),
                                    static_cast<quint32>(identifier),
                                    static_cast<quint32>(instance), command);
}

void ALF_controller::refuse(const AlarmInstance& alert, const QString& command) {
    alarmController.sendAlarmMessage(
        createARC(alert.getAlertID(), alert.getAlertInstanceNumber(), command));
}

void ALF_controller::handleACN(const MsgACN& acn) {
    const quint32 identifier = acn.alertIdentifier();
    const quint32 instance = acn.alertInstance();
    const QString command = acn.alertCommand();
    const bool allAlerts =
        (identifier == 0 || identifier == kAbsentULong) && instance == kAbsentULong;

    // Collected first: applying a command announces changes that may reach back here.
    QList<AlarmInstance*> targets;
    for (AlarmInstance* alert : alarmController.alerts()) {
        if (alert->getAlertState() == NO_ALARM) {
            continue;
        }
        if (allAlerts || (static_cast<qint64>(alert->getAlertID()) == identifier &&
                          static_cast<qint64>(alert->getAlertInstanceNumber()) == instance)) {
            targets.append(alert);
        }
    }
    for (AlarmInstance* alert : targets) {
        // Acknowledging or taking over every alert at once is not allowed.
        if (allAlerts && (command == kAcknowledge || command == kTakeResponsibility)) {
            refuse(*alert, command);
        } else {
            applyCommand(alert, command, acn.getSourceSfi());
        }
    }
}

void ALF_controller::applyCommand(AlarmInstance* alert, const QString& command,
                                  const QString& sourceSfi) {
    if (command == kAcknowledge) {
        if (alert->isAllowedResponsibilityTransfer()) {
            alert->setAcknowledged();
        } else {
            refuse(*alert, command);
        }
    } else if (command == kTakeResponsibility) {
        if (sourceSfi != SystemSetup::getInstance()->Kc40Setup.values().alarmID) {
            return;
        }
        const AlarmLevel state = alert->getAlertState();
        // Only an alert still sounding can be handed over; an acknowledged, rectified or
        // already transferred one cannot.
        if (alert->getAlertCategory() == CatB &&
            (state == ALR_ACTIVE_UACKED || state == ALR_ACTIVE_SILENCED)) {
            alert->setResponsabilityTransfered();
        } else {
            refuse(*alert, command);
        }
    } else if (command == kRepeat) {
        sendALF(alert);
    } else if (command == kSilence) {
        if (alert->getAlertState() == ALR_ACTIVE_UACKED) {
            alert->setSilenced();
        }
    }
}

void ALF_controller::handleUserOrAuxSilence() {
    for (AlarmInstance* alert : alarmController.alerts()) {
        if (alert->getAlertState() == ALR_ACTIVE_UACKED) {
            alert->setSilenced();
        }
    }
}
