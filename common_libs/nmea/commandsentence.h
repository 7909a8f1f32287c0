#pragma once

#include "msgcommands.h"
#include "sentencefields.h"

#include <QVariantList>

// The shape ICM and IDM share: a version, a command number and any number of parameters of
// type T, each its own field. The command number completes the full type ("ICM15").
template <class Derived, class T> class CommandSentence : public ClonableMessage<Derived> {
public:
    bool setParams(const QStringList& params) override {
        if (params.size() < 2 || !fieldcodec::read(params[0], m_messageVersion) ||
            !fieldcodec::read(params[1], m_commandID)) {
            return this->reject();
        }
        m_msgParameters.clear();
        for (qsizetype i = 2; i < params.size(); ++i) {
            T parameter{};
            if (!fieldcodec::read(params[i], parameter)) {
                return this->reject();
            }
            m_msgParameters.append(parameter);
        }
        return true;
    }

    QString fullType() const override {
        return this->m_message_type + fieldcodec::write(m_commandID, fmt::integer(), 0);
    }

    QList<NamedValue> fieldValues() const override {
        QVariantList parameters;
        for (const T& parameter : m_msgParameters) {
            parameters.append(fieldcodec::value(parameter));
        }
        return {{QStringLiteral("messageVersion"), fieldcodec::value(m_messageVersion)},
                {QStringLiteral("commandID"), fieldcodec::value(m_commandID)},
                {QStringLiteral("msgParameters"), parameters}};
    }

    int messageVersion() const { return m_messageVersion; }
    void setMessageVersion(int version) {
        m_messageVersion = version;
        this->m_message.clear();
    }
    int commandID() const { return m_commandID; }
    void setCommandID(int command) {
        m_commandID = command;
        this->m_message.clear();
    }
    QList<T> msgParameters() const { return m_msgParameters; }
    void setMsgParameters(const QList<T>& parameters) {
        m_msgParameters = parameters;
        this->m_message.clear();
    }

protected:
    explicit CommandSentence(const QString& messageType) : ClonableMessage<Derived>(messageType) {
        this->initProprietary();
    }
    CommandSentence(const QString& messageType, int messageVersion, int commandID,
                    const QList<T>& parameters)
        : CommandSentence(messageType) {
        this->initForSending();
        m_messageVersion = messageVersion;
        m_commandID = commandID;
        m_msgParameters = parameters;
    }

    QStringList buildFields() const override {
        QStringList fields{fieldcodec::write(m_messageVersion, fmt::integer(), 0),
                           fieldcodec::write(m_commandID, fmt::integer(), 0)};
        for (const T& parameter : m_msgParameters) {
            fields << fieldcodec::write(parameter, parameterFormat(), 0);
        }
        return fields;
    }

private:
    static constexpr FieldFormat parameterFormat() {
        return std::is_same_v<T, int> ? fmt::integer() : fmt::text();
    }

    int m_messageVersion = kAbsentInt;
    int m_commandID = kAbsentInt;
    QList<T> m_msgParameters;
};
