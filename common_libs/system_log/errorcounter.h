#pragma once

#include "udperrorcounter.h"

#include <QList>
#include <QObject>

// The nine fault counters as stored in the file "Error_count_log"; the keys are the file format.
struct ErrorCountLog {
    Q_GADGET
    Q_PROPERTY(quint32 udpCrcError MEMBER udpCrcError)
    Q_PROPERTY(quint32 linesWithTagCrcError MEMBER linesWithTagCrcError)
    Q_PROPERTY(quint32 linesWithTagSyntaxError MEMBER linesWithTagSyntaxError)
    Q_PROPERTY(quint32 linesWithTagFramingError MEMBER linesWithTagFramingError)
    Q_PROPERTY(quint32 incorrectMsgLength MEMBER incorrectMsgLength)
    Q_PROPERTY(quint32 udpOverflowReasem MEMBER udpOverflowReasem)
    Q_PROPERTY(quint32 msgFormatError MEMBER msgFormatError)
    Q_PROPERTY(quint32 badSigQuality MEMBER badSigQuality)
    Q_PROPERTY(quint32 rejectedMsgs MEMBER rejectedMsgs)
    Q_PROPERTY(quint32 latestErrorCode MEMBER latestErrorCode)
public:
    quint32 udpCrcError = 0;
    quint32 linesWithTagCrcError = 0;
    quint32 linesWithTagSyntaxError = 0;
    quint32 linesWithTagFramingError = 0;
    quint32 incorrectMsgLength = 0;
    quint32 udpOverflowReasem = 0;
    quint32 msgFormatError = 0;
    quint32 badSigQuality = 0;
    quint32 rejectedMsgs = 0;
    quint32 latestErrorCode = 0;
};

// Counts the faults met on the network and sentence inputs by their identity (70..78), keeps
// the latest one, and gives the display its error table. The counts survive restarts; the
// periodic save writes them only when they changed.
class ErrorCounter : public QObject {
    Q_OBJECT
public:
    static constexpr quint32 kFaultCap = 99;
    // Eight fault counters at their cap.
    static constexpr quint32 kRejectedCap = 8 * kFaultCap;
    static constexpr int kCounterCount = 9;
    // The table the display reads always has this many entries; those past the counters are 0.
    static constexpr int kTableLength = 15;
    static inline const QString kFileName = QStringLiteral("Error_count_log");

    static ErrorCounter* getInstance();
    // Drops the counters so that the next getInstance() reads them anew from the board root.
    static void resetForTests();

    // Counts one fault of identity 70..77 and one rejected sentence; other identities are not
    // faults and change nothing.
    void increase(int errorId);
    quint32 getErrorCountByID(int errorId) const;
    quint32 getLatestErrorCode() const { return countLog.latestErrorCode; }
    // Per index 0..14: the identity (or count) where the count is non-zero, else 0.
    QList<int> getListOfErrorCodes() const;
    QList<int> getListOfErrorCounts() const;

    void countLogReset();
    // A missing or unusable file starts the counts afresh (and writes them).
    void readFromLogFile();
    void writeToLogFile();

public Q_SLOTS:
    void slotErrors(int errorId) { increase(errorId); }

private:
    ErrorCounter() { readFromLogFile(); }
    // 0..8 for the identities 70..78, else -1.
    static int indexOf(int errorId);

    ErrorCountLog countLog;
    bool fileContentsChanged = false;
};
