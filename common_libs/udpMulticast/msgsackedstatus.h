#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Which sentence types a paired display must acknowledge, which displays are paired, and which
// of them has acknowledged the last sending of each type. Types are full types: the sentence
// identifier, with the command number appended for ICM and IDM ("ICM15", "IDM11").
//
// A type is acknowledged once every paired display has answered its last sending; it expires
// 5 s after that sending. A display silent for more than 60 s is no longer paired.
class MsgsAckedStatus {
public:
    static constexpr qint64 expiryTime = 5000;
    static constexpr int kSilenceLimitS = 60;

    // The configuration and command types a display acknowledges, registered at start.
    static const QStringList& ackRequiredTypesAtStart();

    MsgsAckedStatus();

    void addAckRequiredMsgType(const QString& type);
    bool messageNeedsAck(const QString& type) const { return msgNumber(type) >= 0; }
    // Position of a type or a device; -1 when unknown.
    int msgNumber(const QString& type) const { return ackRequiredMsgTypes.indexOf(type); }
    int deviceNumber(const QString& sfi) const { return pairedDevices.indexOf(sfi); }
    const QStringList& requiredTypes() const { return ackRequiredMsgTypes; }

    // Pairing a paired identifier again changes nothing.
    void addPairedDevice(const QString& sfi, const QString& mac);
    void removePairedDevice(const QString& sfi);
    bool isPaired(const QString& sfi, const QString& mac) const;
    bool isPaired(const QString& sfi) const { return deviceNumber(sfi) >= 0; }
    const QStringList& devices() const { return pairedDevices; }

    // A sentence of the type was sent: it waits for every paired display again.
    void resetMsgAcked(const QString& type);
    void setMsgAcked(int typeIndex);
    // A display acknowledged the type; unknown types and devices are ignored.
    void ackMsg(const QString& type, const QString& sfi);
    void ackMsgList(const QStringList& types, const QString& sfi);
    // A type that needs no acknowledgement counts as acknowledged.
    bool getMessageAcked(const QString& type) const;
    bool isExpired(int typeIndex) const;

    // Adds seconds of silence to every display; returns those now unpaired.
    QStringList increaseDisconnectCounters(int seconds);
    void resetDisconnectCounter(const QString& sfi);

private:
    QStringList ackRequiredMsgTypes;
    QStringList pairedDevices;
    QStringList pairedMACaddresses;
    QList<int> pairedDevDisconnectCounter;
    QList<bool> msgAckedStatus;
    QList<quint64> msgUnackedTime;
    QList<QList<bool>> msgAckedData;
};
