#pragma once

#include <QString>
#include <QStringList>

// The texts the display shows about the state of the calibration table.
class StatusMessages {
public:
    static const QStringList statusList;
    static const QStringList statusReasonList;
    static const QStringList suggestinList;

    // "NA" for an index outside the list.
    static QString status(int index) { return at(statusList, index); }
    static QString reason(int index) { return at(statusReasonList, index); }
    static QString suggestion(int index) { return at(suggestinList, index); }

private:
    static QString at(const QStringList& list, int index);
};
