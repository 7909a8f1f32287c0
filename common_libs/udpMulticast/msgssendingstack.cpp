#include "msgssendingstack.h"

#include <QDebug>

#include <algorithm>

namespace {
QString textOf(const QList<NmeaMessagePtr>& messages) {
    QString text;
    for (const NmeaMessagePtr& message : messages) {
        text += message->getMsgBuffer();
    }
    return text;
}
} // namespace

QStringList msgsSendingStack::fullTypes(const QList<NmeaMessagePtr>& messages) {
    QStringList types;
    for (const NmeaMessagePtr& message : messages) {
        types << getFullType(*message);
    }
    return types;
}

QString msgsSendingStack::getListFullType(const QList<NmeaMessagePtr>& messages) {
    return fullTypes(messages).join(QString());
}

void msgsSendingStack::addSingleTostack(const NmeaMessagePtr& message) {
    const QString text = message->getMsgBuffer();
    singleMsgList.removeIf(
        [&text](const NmeaMessagePtr& waiting) { return waiting->getMsgBuffer() == text; });
    singleMsgList.append(message);
    if (singleMsgList.size() > kMaxSingles) {
        qWarning().noquote() << "Unacknowledged sentence dropped:"
                             << singleMsgList.front()->getMsgBuffer().trimmed();
        singleMsgList.removeFirst();
    }
}

void msgsSendingStack::addGroupToStack(const QList<NmeaMessagePtr>& messages) {
    const QString text = textOf(messages);
    groupMsgList.removeIf(
        [&text](const QList<NmeaMessagePtr>& waiting) { return textOf(waiting) == text; });
    groupMsgList.append(messages);
    if (groupMsgList.size() > kMaxGroups) {
        qWarning().noquote() << "Unacknowledged datagram dropped:"
                             << getListFullType(groupMsgList.front());
        groupMsgList.removeFirst();
    }
}

void msgsSendingStack::removeAcknowledged(const std::function<bool(const QString& type)>& acked) {
    singleMsgList.removeIf(
        [&acked](const NmeaMessagePtr& waiting) { return acked(getFullType(*waiting)); });
    groupMsgList.removeIf([&acked](const QList<NmeaMessagePtr>& waiting) {
        const QStringList types = fullTypes(waiting);
        return std::all_of(types.cbegin(), types.cend(), acked);
    });
}
