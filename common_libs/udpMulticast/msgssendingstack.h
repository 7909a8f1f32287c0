#pragma once

#include "nmeamessage.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The sentences sent to the displays that still wait for their acknowledgement: those sent
// alone, and the datagrams of several sentences. The sending timer repeats them until they are
// acknowledged. A sentence (or datagram) with the text of one already waiting replaces it, and
// each stack keeps only its newest entries, so that a unit without a paired display does not
// pile up repetitions.
class msgsSendingStack {
public:
    static constexpr qsizetype kMaxSingles = 32;
    static constexpr qsizetype kMaxGroups = 8;

    static QString getFullType(const NmeaMessage& message) { return message.fullType(); }
    // The full types of a datagram's sentences, concatenated in order.
    static QString getListFullType(const QList<NmeaMessagePtr>& messages);
    static QStringList fullTypes(const QList<NmeaMessagePtr>& messages);

    void addSingleTostack(const NmeaMessagePtr& message);
    void addGroupToStack(const QList<NmeaMessagePtr>& messages);
    // Removes every single sentence and datagram all of whose types are acknowledged.
    void removeAcknowledged(const std::function<bool(const QString& type)>& acked);

    const QList<NmeaMessagePtr>& singles() const { return singleMsgList; }
    const QList<QList<NmeaMessagePtr>>& groups() const { return groupMsgList; }
    qsizetype size() const { return singleMsgList.size() + groupMsgList.size(); }

private:
    QList<NmeaMessagePtr> singleMsgList;
    QList<QList<NmeaMessagePtr>> groupMsgList;
};
