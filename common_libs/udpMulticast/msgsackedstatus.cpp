#include "msgsackedstatus.h"

#include "platform.h"

#include <algorithm>

const QStringList& MsgsAckedStatus::ackRequiredTypesAtStart() {
    static const QStringList types = {"ICM5",  "ICM6",  "ICM7",  "ICM8",  "ICM9",  "ICM10",
                                      "ICM11", "ICM12", "ICM13", "ICM14", "ICM15", "ICM16",
                                      "ICM18", "ICM21", "ICM24", "ICM25", "ICM27", "ICM28",
                                      "IDM11", "ICM33", "ICM39", "ALRS",  "DDC"};
    return types;
}

MsgsAckedStatus::MsgsAckedStatus() {
    for (const QString& type : ackRequiredTypesAtStart()) {
        addAckRequiredMsgType(type);
    }
}

void MsgsAckedStatus::addAckRequiredMsgType(const QString& type) {
    if (messageNeedsAck(type)) {
        return;
    }
    ackRequiredMsgTypes.append(type);
    // Nothing of a new type has been sent: nothing waits.
    msgAckedStatus.append(true);
    msgUnackedTime.append(0);
    for (QList<bool>& row : msgAckedData) {
        row.append(false);
    }
}

void MsgsAckedStatus::addPairedDevice(const QString& sfi, const QString& mac) {
    if (isPaired(sfi)) {
        return;
    }
    pairedDevices.append(sfi);
    pairedMACaddresses.append(mac);
    pairedDevDisconnectCounter.append(0);
    msgAckedData.append(QList<bool>(ackRequiredMsgTypes.size(), false));
}

void MsgsAckedStatus::removePairedDevice(const QString& sfi) {
    const int index = deviceNumber(sfi);
    if (index < 0) {
        return;
    }
    pairedDevices.removeAt(index);
    pairedMACaddresses.removeAt(index);
    pairedDevDisconnectCounter.removeAt(index);
    msgAckedData.removeAt(index);
}

bool MsgsAckedStatus::isPaired(const QString& sfi, const QString& mac) const {
    const int index = deviceNumber(sfi);
    return index >= 0 && pairedMACaddresses[index] == mac;
}

void MsgsAckedStatus::resetMsgAcked(const QString& type) {
    const int index = msgNumber(type);
    if (index < 0) {
        return;
    }
    msgAckedStatus[index] = false;
    msgUnackedTime[index] = quint64(Clock::currentMSecsSinceEpoch());
    for (QList<bool>& row : msgAckedData) {
        row[index] = false;
    }
}

void MsgsAckedStatus::setMsgAcked(int typeIndex) {
    if (typeIndex >= 0 && typeIndex < msgAckedStatus.size()) {
        msgAckedStatus[typeIndex] = true;
    }
}

void MsgsAckedStatus::ackMsg(const QString& type, const QString& sfi) {
    const int index = msgNumber(type);
    const int device = deviceNumber(sfi);
    if (index < 0 || device < 0) {
        return;
    }
    msgAckedData[device][index] = true;
    if (std::all_of(msgAckedData.cbegin(), msgAckedData.cend(),
                    [index](const QList<bool>& row) { return row[index]; })) {
        setMsgAcked(index);
    }
}

void MsgsAckedStatus::ackMsgList(const QStringList& types, const QString& sfi) {
    for (const QString& type : types) {
        ackMsg(type, sfi);
    }
}

bool MsgsAckedStatus::getMessageAcked(const QString& type) const {
    const int index = msgNumber(type);
    return index < 0 || msgAckedStatus[index];
}

bool MsgsAckedStatus::isExpired(int typeIndex) const {
    return typeIndex >= 0 && typeIndex < msgUnackedTime.size() &&
           Clock::currentMSecsSinceEpoch() - qint64(msgUnackedTime[typeIndex]) > expiryTime;
}

QStringList MsgsAckedStatus::increaseDisconnectCounters(int seconds) {
    QStringList silent;
    for (qsizetype i = 0; i < pairedDevices.size(); ++i) {
        pairedDevDisconnectCounter[i] += seconds;
        if (pairedDevDisconnectCounter[i] > kSilenceLimitS) {
            silent << pairedDevices[i];
        }
    }
    for (const QString& sfi : silent) {
        removePairedDevice(sfi);
    }
    return silent;
}

void MsgsAckedStatus::resetDisconnectCounter(const QString& sfi) {
    const int index = deviceNumber(sfi);
    if (index >= 0) {
        pairedDevDisconnectCounter[index] = 0;
    }
}
