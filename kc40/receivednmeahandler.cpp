#include "receivednmeahandler.h"

#include "logger.h"

NmeaErrorCounter ReceivedNmeaHandler::errorCounter;

void ReceivedNmeaHandler::handleReceived(const NmeaMessagePtr& message, int source) {
    handleMessages(message, source);
}

void ReceivedNmeaHandler::handleMessages(const NmeaMessagePtr& message, int source) {
    Logger::instance()->append(QStringLiteral("received from %1: %2 error %3: %4")
                                   .arg(source)
                                   .arg(message->messageType())
                                   .arg(message->errorType())
                                   .arg(message->receivedText().trimmed()),
                               Logger::LOG_DEBUG);
}
