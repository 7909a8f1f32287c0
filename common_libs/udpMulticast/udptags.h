#pragma once

#include <QString>

namespace udptags {
// Appends value in decimal, with leading zeros up to minDigits.
inline void appendDecimal(QString& text, quint32 value, int minDigits = 1) {
    char digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (int pad = count; pad < minDigits; ++pad) {
        text += QLatin1Char('0');
    }
    while (count > 0) {
        text += QLatin1Char(digits[--count]);
    }
}

// A tag's text on its own, from its appendTo.
template <class Tag> QString rendered(const Tag& tag) {
    QString text;
    tag.appendTo(text);
    return text;
}
} // namespace udptags

// One tag of an IEC 61162-450 tag block whose value is text, rendered "<key>:<value>":
// s:VD0101 (source), d:II0102 (destination), z:... (source cluster), x:... (destination
// cluster).
template <char Key> class UdpTextTag {
public:
    UdpTextTag() = default;
    explicit UdpTextTag(const QString& value) : m_value(value) {}
    // A system-function identifier from its talker and unit number: ("VD", 1) gives "VD0001".
    UdpTextTag(const QString& prefix, int number)
        : m_value(prefix + QString::number(number).rightJustified(4, QLatin1Char('0'))) {}

    QString getTag() const { return m_value; }
    QString getBuffer() const { return udptags::rendered(*this); }
    void appendTo(QString& text) const {
        text += QLatin1Char(Key);
        text += QLatin1Char(':');
        text += m_value;
    }

private:
    QString m_value;
};

using UdpSourceTag = UdpTextTag<'s'>;
using UdpDestinationTag = UdpTextTag<'d'>;
using UdpSourceClusterTag = UdpTextTag<'z'>;
using UdpDestinationClusterTag = UdpTextTag<'x'>;

// g:<index>-<total>-<id>: line <index> of <total> lines that belong together under one id.
// Plain decimals, as g:1-3-17.
class UdpGroupTag {
public:
    UdpGroupTag(quint16 index, quint16 total, quint16 id)
        : groupIndex(index), groupTotal(total), groupID(id) {}

    QString getTag() const {
        QString text;
        appendTagTo(text);
        return text;
    }
    QString getBuffer() const { return udptags::rendered(*this); }
    void appendTo(QString& text) const {
        text += QLatin1String("g:");
        appendTagTo(text);
    }

    quint16 groupIndex;
    quint16 groupTotal;
    quint16 groupID;

private:
    void appendTagTo(QString& text) const {
        udptags::appendDecimal(text, groupIndex);
        text += QLatin1Char('-');
        udptags::appendDecimal(text, groupTotal);
        text += QLatin1Char('-');
        udptags::appendDecimal(text, groupID);
    }
};

// n:<nnn>: the sender's line counter, 000 to 999, always three digits.
class UdpCounterTag {
public:
    explicit UdpCounterTag(quint16 value) : counter(value) {}

    QString getTag() const {
        QString text;
        udptags::appendDecimal(text, counter, 3);
        return text;
    }
    QString getBuffer() const { return udptags::rendered(*this); }
    void appendTo(QString& text) const {
        text += QLatin1String("n:");
        udptags::appendDecimal(text, counter, 3);
    }

    quint16 counter;
};
