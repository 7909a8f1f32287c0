#pragma once

#include "nmeamessage.h"

#include <QList>

// One entry of the cyclic alert list; a plain value, not a sentence.
//   manufacturerMnemonicCode,alertIdendtifyer,alertInstance,revisionCounter
class MsgSingleALC {
public:
    MsgSingleALC(const QString& manufacturerMnemonicCode, int alertIdendtifyer, int alertInstance,
                 int revisionCounter);

    QString getEntryBuffer() const;

    QString manufacturerMnemonicCode() const { return m_manufacturerMnemonicCode; }
    int alertIdendtifyer() const { return m_alertIdendtifyer; }
    int alertInstance() const { return m_alertInstance; }
    int revisionCounter() const { return m_revisionCounter; }

private:
    QString m_manufacturerMnemonicCode;
    int m_alertIdendtifyer;
    int m_alertInstance;
    int m_revisionCounter;
};

// Cyclic alert list: the entries of all active alerts.
//   $--ALC,totalSentences,sentenceNumber,sequentialIdentifier,entryCount{,entry}*hh
//   e.g. $VDALC,01,01,12,2,,3032,1,3,,3015,5,1*6E
// One sentence while it fits in 82 characters; a longer list is split into sentences 1..n of n,
// all with the same sequential identifier, each with its own entry count.
class MsgALC : public ClonableMessage<MsgALC> {
public:
    MsgALC();

    // The list is only ever sent; a received one is accepted as it is.
    bool setParams(const QStringList&) override { return true; }
    // All sentences of the list, one after the other.
    QString getMsgBuffer() const override;
    QList<NamedValue> fieldValues() const override;
    // Each sentence of the list, "$" through CR LF.
    QStringList sentences() const;

    void addSentence(const MsgSingleALC& entry);
    void setSequentialIdentifier(int identifier);

    int totalNumberOfSentences() const { return m_totalNumberOfSentences; }
    int sequentialIdentifier() const { return m_sequentialIdentifier; }
    QList<MsgSingleALC> sentenceList() const { return m_sentenceList; }

private:
    QString body(int total, int number, const QStringList& entries) const;

    int m_totalNumberOfSentences = 0;
    int m_sequentialIdentifier = 0;
    QList<MsgSingleALC> m_sentenceList;
};
