#pragma once

#include "nmeamessage.h"

#include <QObject>
#include <QStringList>

#include <string>

// Writes down what a part of the unit signals, one short text a signal: its name, then its
// arguments after a colon, separated by commas. A sentence shows as its type ("udp:EPV") and is
// kept in `sentences`.
class SignalLog {
public:
    // Signals and their names in pairs: on(&part, &Part::sigA, "a", &Part::sigB, "b").
    template <class Sender, class Owner, class... Args, class... More>
    void on(Sender* sender, void (Owner::*signal)(Args...), const char* name, More... more) {
        QObject::connect(sender, signal, [this, name](Args... args) {
            const QStringList values{shown(args)...};
            events << QLatin1String(name) +
                          (values.isEmpty() ? QString() : QLatin1Char(':') + values.join(','));
        });
        if constexpr (sizeof...(More) > 0) {
            on(sender, more...);
        }
    }
    // Everything so far, separated by spaces.
    std::string heard() const { return events.join(QLatin1Char(' ')).toStdString(); }

    QStringList events;
    QList<NmeaMessagePtr> sentences;

private:
    QString shown(const NmeaMessagePtr& message) {
        sentences << message;
        return message->fullType();
    }
    // A group of sentences: their types, separated by commas.
    QString shown(const QList<NmeaMessagePtr>& messages) {
        QStringList types;
        for (const NmeaMessagePtr& message : messages) {
            types << shown(message);
        }
        return types.join(QLatin1Char(','));
    }
    static QString shown(const QString& text) { return text; }
    static QString shown(bool on) { return QString::number(int(on)); }
    static QString shown(int value) { return QString::number(value); }
    static QString shown(float value) { return QString::number(value); }
};
