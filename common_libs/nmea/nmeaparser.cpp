#include "nmeaparser.h"

#include "crc8.h"
#include "msgerr.h"
#include "msgunknown.h"
#include "nmeasettings.h"
#include "sentencedispatch.h"

#include <cmath>

namespace {
constexpr qsizetype kMaxLength = 82; // after the start character, CR LF included
constexpr qsizetype kMinLength = 5;

std::unique_ptr<NmeaMessage> error(NmeaMessageErrorType type, const QString& received) {
    auto result = std::make_unique<MsgErr>(type);
    result->setMsgInfo(QString(), QString(), QString(), received, false);
    return result;
}

// Sign first, then the padding, so that "-5" in three zero-padded places reads "-05".
QString padNumber(const QString& digits, int width, QChar fill) {
    if (fill == QLatin1Char('0') && digits.startsWith(QLatin1Char('-'))) {
        return QLatin1Char('-') + digits.mid(1).rightJustified(width - 1, fill);
    }
    return digits.rightJustified(width, fill);
}
} // namespace

std::unique_ptr<NmeaMessage> NmeaParser::parse(const QString& S) {
    if (S.isEmpty() || (S[0] != QLatin1Char('$') && S[0] != QLatin1Char('!'))) {
        return error(START_CHARACTER_ERROR, S);
    }
    QString W = S.mid(1);
    if (W.size() > kMaxLength) {
        return error(ERR_MAX_LENGTH, S);
    }
    if (W.size() < kMinLength) {
        return error(START_CHARACTER_ERROR, S);
    }
    if (!W.endsWith(QLatin1String("\r\n"))) {
        return error(END_CHARACTER_ERROR, S);
    }
    W.chop(2);

    const qsizetype star = W.indexOf(QLatin1Char('*'));
    if (star > 0 && W.size() > star + 3) {
        W.truncate(star + 3);
    }

    QStringList F = W.split(QLatin1Char(','));
    const int crc = CRC8::validateCrc(W);
    QString checksum;
    if (crc != 1) {
        const QStringList lastParts = F.last().split(QLatin1Char('*'));
        if (lastParts.size() != 2) {
            return error(CHECKSUM_ERROR, S);
        }
        F.last() = lastParts[0];
        checksum = lastParts[1];
    }

    const QString A = F.first();
    const bool proprietary = W.startsWith(QLatin1Char('P'));
    if (A.size() < 4) {
        return error(
            proprietary ? MANUFACTURER_ID_MESSAGE_TYPE_ERROR : TALKER_ID_MESSAGE_TYPE_ERROR, S);
    }
    const QString manufacturer = proprietary ? A.mid(1, 3) : QString();
    const QString talker = proprietary ? QString() : A.left(2);
    const QString identifier = proprietary ? A.mid(4) : A.mid(2);

    // The sensor's SNF answer is known to carry a wrong checksum; only it is let through.
    if (crc != 0 && crc != 1 && identifier != QLatin1String("SNF")) {
        return error(CHECKSUM_ERROR, S);
    }

    F.removeFirst();
    auto message = createMessage(identifier, sentenceKey(identifier), F);
    message->setMsgInfo(talker, manufacturer, checksum, S, proprietary);
    return message;
}

std::unique_ptr<NmeaMessage> NmeaParser::createMessage(const QString& message_type, quint32 msgHash,
                                                       const QStringList& parameters) {
    const SentenceFactory factory = findSentenceFactory(msgHash);
    if (factory == nullptr) {
        return std::make_unique<MsgUnknown>(message_type);
    }
    auto message = factory();
    message->setParams(parameters);
    return message;
}

quint32 NmeaParser::calculateMessageTypeHash(const QString& message_type) {
    return sentenceKey(message_type);
}

float NmeaParser::StringToFloat(const QString& text, bool* ok) {
    if (text.isEmpty()) {
        *ok = true;
        return kAbsentFloat;
    }
    const float value = text.toFloat(ok);
    if (*ok && !std::isfinite(value)) {
        *ok = false;
    }
    return *ok ? value : 0.0f;
}

int NmeaParser::StringToInt(const QString& text, bool* ok) {
    if (text.isEmpty()) {
        *ok = true;
        return kAbsentInt;
    }
    return text.toInt(ok, 10);
}

quint32 NmeaParser::StringToULong(const QString& text, bool* ok) {
    if (text.isEmpty()) {
        *ok = true;
        return kAbsentULong;
    }
    return text.toUInt(ok, 10);
}

QString NmeaParser::NumberToString(int value) {
    return isNumberValidInt(value) ? QString::number(value) : QString();
}

QString NmeaParser::NumberToString(float value, char format, int precision) {
    if (!isNumberValidFloat(value) || !std::isfinite(value)) {
        return {};
    }
    QString text = QString::number(static_cast<double>(value), format, precision);
    if (text == QLatin1String("-0.0")) {
        text = QStringLiteral("0.0");
    }
    return text;
}

QString NmeaParser::NumberToDisplayString(int value) {
    return isNumberValidInt(value) ? NumberToString(value) : QStringLiteral("-.-");
}

QString NmeaParser::NumberToDisplayString(float value, char format, int precision) {
    const QString text = NumberToString(value, format, precision);
    return text.isEmpty() ? QStringLiteral("-.-") : text;
}

QString NmeaParser::NumberToStringSigned(int value) {
    if (!isNumberValidInt(value)) {
        return {};
    }
    return value >= 1 ? QLatin1Char('+') + QString::number(value) : QString::number(value);
}

QString NmeaParser::NumberToStringSigned(float value, char format, int precision) {
    const QString text = NumberToString(value, format, precision);
    if (text.isEmpty()) {
        return {};
    }
    return value > 0.0f ? QLatin1Char('+') + text : text;
}

QString NmeaParser::UlongToString(quint32 value) {
    return value == kAbsentULong ? QString() : QString::number(value);
}

QString NmeaParser::UlongToString_FixedLenght(quint32 value, int NoOfLeadingZero) {
    return value == kAbsentULong ? QString() : UintToString_FixedLength(value, NoOfLeadingZero);
}

QString NmeaParser::UintToString_FixedLength(quint32 value, int NoOfLeadingZero) {
    return QString::number(value).rightJustified(NoOfLeadingZero, QLatin1Char('0'));
}

QString NmeaParser::IntToString_FixedLength(int value, int NoOfLeadingZero, char formater) {
    return padNumber(QString::number(value), NoOfLeadingZero, QLatin1Char(formater));
}

QString NmeaParser::FloatToString_FixedLength(float value, int NoOfLeadingZero, int precision) {
    if (!isNumberValidFloat(value) || !std::isfinite(value)) {
        return {};
    }
    const QString digits = QString::number(static_cast<double>(value), 'f', precision);
    return padNumber(digits, NoOfLeadingZero + 1 + precision, QLatin1Char('0'));
}

QString NmeaParser::FloatToString_FixedLength_Signed(float value, int NoOfLeadingZero,
                                                     int precision) {
    if (!isNumberValidFloat(value) || !std::isfinite(value)) {
        return {};
    }
    const QChar sign = value < 0.0f ? QLatin1Char('-') : QLatin1Char('+');
    return sign + FloatToString_FixedLength(std::fabs(value), NoOfLeadingZero, precision);
}

int NmeaParser::getNumberOfDecimals() {
    return NmeaSettings::numberOfDecimals();
}
