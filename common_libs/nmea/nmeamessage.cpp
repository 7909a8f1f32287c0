#include "nmeamessage.h"

#include "crc8.h"
#include "nmeasettings.h"
#include "sentencekey.h"

NmeaMessage::NmeaMessage(const QString& messageType)
    : m_message_type(messageType), m_message_type_hash(sentenceKey(messageType)) {}

QString NmeaMessage::getMsgBuffer() const {
    if (!m_message.isEmpty()) {
        return m_message;
    }
    // Formatted into one buffer the size of a full-length sentence, which most never outgrow.
    QString text;
    text.reserve(kMaxSentenceLength);
    text += QLatin1Char('$');
    text += address();
    for (const QString& field : buildFields()) {
        text += QLatin1Char(',');
        text += field;
    }
    appendChecksumAndEnd(text);
    return text;
}

void NmeaMessage::setMsgInfo(const QString& talker, const QString& manufacturer,
                             const QString& checksum, const QString& message, bool proprietary) {
    m_talker_id = talker;
    m_manufacturer_id = manufacturer;
    m_checksum = checksum;
    m_message = message;
    m_propriatary = proprietary;
}

void NmeaMessage::setNumber_of_decimals(int decimals) {
    m_number_of_decimals = decimals;
    m_message.clear();
}

QString NmeaMessage::addCrcToMsgBuffer(const QString& body) {
    QString text;
    text.reserve(body.size() + 6);
    text += QLatin1Char('$');
    text += body;
    appendChecksumAndEnd(text);
    return text;
}

void NmeaMessage::appendChecksumAndEnd(QString& text) {
    CRC8::appendChecksumOf(text, 1);
    text += QLatin1String("\r\n");
}

QString NmeaMessage::address() const {
    if (m_propriatary) {
        return QLatin1String("PNRV") + m_message_type;
    }
    return m_talker_id + m_message_type;
}

void NmeaMessage::initForSending() {
    m_talker_id = NmeaSettings::sourceTalker();
    m_number_of_decimals = NmeaSettings::numberOfDecimals();
}

void NmeaMessage::initProprietary() {
    m_propriatary = true;
    m_manufacturer_id = QStringLiteral("NRV");
}

bool NmeaMessage::reject() {
    error_ID = ERR_NMEA_FORMAT;
    return false;
}
