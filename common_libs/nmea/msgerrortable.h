#pragma once

#include "sentencefields.h"

#include <QList>

// Error statistics: fifteen pairs of error identifier and count.
//   $PNRVERRORTABLE,errorIDs[0],errorCounts[0],...,errorIDs[14],errorCounts[14]*hh
// Pairs not filled are written as empty fields.
class MsgERRORTABLE : public ClonableMessage<MsgERRORTABLE> {
public:
    static constexpr qsizetype kPairs = 15;

    MsgERRORTABLE();
    MsgERRORTABLE(const QList<int>& errorIDs, const QList<int>& errorCounts);

    bool setParams(const QStringList& params) override;
    QList<NamedValue> fieldValues() const override;

    QList<int> errorIDs() const { return m_errorIDs; }
    QList<int> errorCounts() const { return m_errorCounts; }

protected:
    QStringList buildFields() const override;

private:
    QList<int> m_errorIDs;
    QList<int> m_errorCounts;
};
