#include "errorcounter.h"

#include "serializationcontroller.h"

#include <QDebug>

#include <array>
#include <memory>

namespace {
// Table order: the identity of index i is 70 + i.
constexpr std::array<quint32 ErrorCountLog::*, ErrorCounter::kCounterCount> kCounters = {
    &ErrorCountLog::udpCrcError,
    &ErrorCountLog::linesWithTagCrcError,
    &ErrorCountLog::linesWithTagSyntaxError,
    &ErrorCountLog::linesWithTagFramingError,
    &ErrorCountLog::incorrectMsgLength,
    &ErrorCountLog::udpOverflowReasem,
    &ErrorCountLog::msgFormatError,
    &ErrorCountLog::badSigQuality,
    &ErrorCountLog::rejectedMsgs,
};

std::unique_ptr<ErrorCounter>& holder() {
    static std::unique_ptr<ErrorCounter> instance;
    return instance;
}
} // namespace

ErrorCounter* ErrorCounter::getInstance() {
    std::unique_ptr<ErrorCounter>& instance = holder();
    if (!instance) {
        instance.reset(new ErrorCounter);
    }
    return instance.get();
}

void ErrorCounter::resetForTests() {
    holder().reset();
}

int ErrorCounter::indexOf(int errorId) {
    const int index = errorId - ERR_TYPE_UDP_CRC;
    return index >= 0 && index < kCounterCount ? index : -1;
}

void ErrorCounter::increase(int errorId) {
    const int index = indexOf(errorId);
    if (index < 0 || errorId == ERR_TYPE_TOTAL_REJECTED) {
        return;
    }
    // Any change is saved: once the totals are capped, the latest fault still moves.
    bool changed = countLog.latestErrorCode != quint32(errorId);
    countLog.latestErrorCode = quint32(errorId);
    quint32& count = countLog.*kCounters[index];
    if (count < kFaultCap) {
        ++count;
        changed = true;
    }
    if (countLog.rejectedMsgs < kRejectedCap) {
        ++countLog.rejectedMsgs;
        changed = true;
    }
    fileContentsChanged = fileContentsChanged || changed;
}

quint32 ErrorCounter::getErrorCountByID(int errorId) const {
    const int index = indexOf(errorId);
    return index < 0 ? 0 : countLog.*kCounters[index];
}

QList<int> ErrorCounter::getListOfErrorCodes() const {
    QList<int> codes(kTableLength, 0);
    for (int i = 0; i < kCounterCount; ++i) {
        if (countLog.*kCounters[i] != 0) {
            codes[i] = ERR_TYPE_UDP_CRC + i;
        }
    }
    return codes;
}

QList<int> ErrorCounter::getListOfErrorCounts() const {
    QList<int> counts(kTableLength, 0);
    for (int i = 0; i < kCounterCount; ++i) {
        counts[i] = int(countLog.*kCounters[i]);
    }
    return counts;
}

void ErrorCounter::countLogReset() {
    qDebug() << "XXXXXXXXXX Error counter reset";
    countLog = ErrorCountLog{};
    fileContentsChanged = true;
    writeToLogFile();
}

void ErrorCounter::readFromLogFile() {
    if (!SerializationController::Deserialize(countLog, kFileName,
                                              SerializationController::kLogFolder)) {
        countLogReset();
    }
}

void ErrorCounter::writeToLogFile() {
    if (!fileContentsChanged) {
        return;
    }
    if (SerializationController::Serialize(countLog, kFileName,
                                           SerializationController::kLogFolder)) {
        fileContentsChanged = false;
    }
}
