#pragma once

#include "nmeamessage.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <initializer_list>
#include <span>
#include <variant>

// The field machinery shared by the sentence classes. A class lists its fields once, in wire
// order, as a table of Field entries (name, member, formatting); reading, building and
// inspection all walk that table.

// How a field is written when the unit builds the sentence.
struct FieldFormat {
    enum class Kind {
        Text,        // as stored, framing characters replaced
        Int,         // NumberToString(int)
        IntFixed,    // right-aligned in `width` characters, zero padded
        Float,       // NumberToString(value, f, precision)
        FloatDec,    // as Float with the sentence's configured decimals
        FloatSigned, // NumberToStringSigned(value, f, precision)
        FixedSigned, // FloatToString_FixedLength_Signed(value, width, precision)
        ULong,       // UlongToString
        ULongMin,    // UlongToString_FixedLenght(value, width): at least `width` digits
        Flag,        // "1" or "0"
    };
    Kind kind = Kind::Text;
    int width = 0;
    int precision = 0;
};

namespace fmt {
constexpr FieldFormat text() {
    return {FieldFormat::Kind::Text};
}
constexpr FieldFormat integer() {
    return {FieldFormat::Kind::Int};
}
constexpr FieldFormat intFixed(int width) {
    return {FieldFormat::Kind::IntFixed, width};
}
constexpr FieldFormat flt(int precision) {
    return {FieldFormat::Kind::Float, 0, precision};
}
constexpr FieldFormat fltDec() {
    return {FieldFormat::Kind::FloatDec};
}
constexpr FieldFormat fltSigned(int precision) {
    return {FieldFormat::Kind::FloatSigned, 0, precision};
}
constexpr FieldFormat fixedSigned(int width, int precision) {
    return {FieldFormat::Kind::FixedSigned, width, precision};
}
constexpr FieldFormat ulong() {
    return {FieldFormat::Kind::ULong};
}
constexpr FieldFormat ulongMin(int width) {
    return {FieldFormat::Kind::ULongMin, width};
}
constexpr FieldFormat flag() {
    return {FieldFormat::Kind::Flag};
}
} // namespace fmt

template <class M> struct Field {
    const char* name;
    std::variant<QString M::*, int M::*, float M::*, quint32 M::*, bool M::*> member;
    FieldFormat format;
};

namespace fieldcodec {
// Each returns false when the text does not convert; the target keeps an absent value then.
bool read(const QString& text, QString& target);
bool read(const QString& text, int& target);
bool read(const QString& text, float& target);
bool read(const QString& text, quint32& target);
bool read(const QString& text, bool& target);

QString write(const QString& value, FieldFormat format, int decimals);
QString write(int value, FieldFormat format, int decimals);
QString write(float value, FieldFormat format, int decimals);
QString write(quint32 value, FieldFormat format, int decimals);
QString write(bool value, FieldFormat format, int decimals);

// Null for an absent number.
QVariant value(const QString& value);
QVariant value(int value);
QVariant value(float value);
QVariant value(quint32 value);
QVariant value(bool value);
} // namespace fieldcodec

// Text written into a sentence must not end it or start another: "*", "$", "!", CR and LF
// become spaces. Commas are left to the callers.
QString sanitizedText(const QString& text);

// True when the text equals one of the allowed words (status letters and the like).
bool isOneOf(const QString& text, std::initializer_list<const char*> allowed);

// The four fields of an IPv4 address split at "."; four empty fields when it does not split
// into exactly four parts.
QStringList ipAddressFields(const QString& ip);

// Reads params[0..fields.size()) into the fields; false at the first one that does not convert
// (the fields before it keep their new values).
template <class M>
bool readFields(M& message, std::span<const Field<M>> fields, const QStringList& params,
                qsizetype first = 0) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QString& text = params.at(first + static_cast<qsizetype>(i));
        const bool ok = std::visit(
            [&](auto member) { return fieldcodec::read(text, message.*member); }, fields[i].member);
        if (!ok) {
            return false;
        }
    }
    return true;
}

template <class M>
QStringList writeFields(const M& message, std::span<const Field<M>> fields, int decimals) {
    QStringList result;
    result.reserve(static_cast<qsizetype>(fields.size()));
    for (const Field<M>& field : fields) {
        result << std::visit(
            [&](auto member) { return fieldcodec::write(message.*member, field.format, decimals); },
            field.member);
    }
    return result;
}

template <class M>
QList<NamedValue> namedValues(const M& message, std::span<const Field<M>> fields) {
    QList<NamedValue> result;
    for (const Field<M>& field : fields) {
        result.append({QLatin1String(field.name),
                       std::visit([&](auto member) { return fieldcodec::value(message.*member); },
                                  field.member)});
    }
    return result;
}

// Accepted numbers of fields after the address field.
struct FieldCount {
    int min;
    int max; // negative: no upper bound
    constexpr bool accepts(qsizetype n) const { return n >= min && (max < 0 || n <= max); }
};
constexpr FieldCount exactly(int n) {
    return {n, n};
}
constexpr FieldCount atLeast(int n) {
    return {n, -1};
}

// A sentence whose fields are all described by its table `Derived::fields()` and whose
// accepted counts are `Derived::kCount`. Optional trailing fields (table longer than the
// minimum count) are read only when the sentence carries the full table.
template <class Derived> class TableSentence : public ClonableMessage<Derived> {
public:
    bool setParams(const QStringList& params) override {
        const auto table = Derived::fields();
        if (!Derived::kCount.accepts(params.size())) {
            return this->reject();
        }
        const std::size_t n = params.size() == static_cast<qsizetype>(table.size())
                                  ? table.size()
                                  : static_cast<std::size_t>(Derived::kCount.min);
        return readFields(self(), table.first(n), params) || this->reject();
    }
    QList<NamedValue> fieldValues() const override {
        return namedValues(self(), Derived::fields());
    }

protected:
    explicit TableSentence(const QString& messageType) : ClonableMessage<Derived>(messageType) {}
    QStringList buildFields() const override {
        return writeFields(self(), Derived::fields(), this->m_number_of_decimals);
    }

private:
    Derived& self() { return static_cast<Derived&>(*this); }
    const Derived& self() const { return static_cast<const Derived&>(*this); }
};

// Declares a field member with the absent value as its start, a getter named as the field and
// a setter. A changed field drops the received text, so the sentence is built anew.
#define SENTENCE_FIELD(Type, name, setter)                                                         \
public:                                                                                            \
    Type name() const {                                                                            \
        return m_##name;                                                                           \
    }                                                                                              \
    void setter(const Type& value) {                                                               \
        m_##name = value;                                                                          \
        this->m_message.clear();                                                                   \
    }                                                                                              \
                                                                                                   \
private:                                                                                           \
    Type m_##name = absentValue<Type>();
