#pragma once

#include "sentencefields.h"

// The shape of the older log's sentences: one signed value written without decimals
// ("+12", "-3"), held both as received and as a whole number. `Derived::kValueName` names it.
template <class Derived> class OlderLogSentence : public ClonableMessage<Derived> {
public:
    bool setParams(const QStringList& params) override {
        if (params.size() != 1 || !fieldcodec::read(params[0], m_value)) {
            return this->reject();
        }
        return true;
    }
    QList<NamedValue> fieldValues() const override {
        return {{QLatin1String(Derived::kValueName), fieldcodec::value(m_value)}};
    }

protected:
    explicit OlderLogSentence(const QString& messageType) : ClonableMessage<Derived>(messageType) {
        this->initProprietary();
    }
    OlderLogSentence(const QString& messageType, float value) : OlderLogSentence(messageType) {
        this->initForSending();
        m_value = value;
    }
    QStringList buildFields() const override {
        return {fieldcodec::write(m_value, fmt::fltSigned(0), 0)};
    }

    float withDecimal() const { return m_value; }
    int whole() const { return m_value == kAbsentFloat ? kAbsentInt : qRound(m_value); }
    void setValue(float value) {
        m_value = value;
        this->m_message.clear();
    }

private:
    float m_value = kAbsentFloat;
};

// Speed of the older log.
//   $PNRV01,speed*hh            (signed, no decimals: +12)
class MsgAlmaSpeed : public OlderLogSentence<MsgAlmaSpeed> {
public:
    static constexpr const char* kValueName = "speedAverageWithDecimal";
    MsgAlmaSpeed() : OlderLogSentence(QStringLiteral("01")) {}
    explicit MsgAlmaSpeed(float speed) : OlderLogSentence(QStringLiteral("01"), speed) {}

    int speedAverage() const { return whole(); }
    float speedAverageWithDecimal() const { return withDecimal(); }
    void setSpeedAverageWithDecimal(float speed) { setValue(speed); }
};

// Water temperature of the older log.
//   $PNRV06,temperature*hh      (signed, no decimals: +7)
class MsgAlmaTemp : public OlderLogSentence<MsgAlmaTemp> {
public:
    static constexpr const char* kValueName = "temperatureWithDecimal";
    MsgAlmaTemp() : OlderLogSentence(QStringLiteral("06")) {}
    explicit MsgAlmaTemp(float temperature) : OlderLogSentence(QStringLiteral("06"), temperature) {}

    int tempereture() const { return whole(); }
    float temperatureWithDecimal() const { return withDecimal(); }
    void setTemperatureWithDecimal(float temperature) { setValue(temperature); }
};
