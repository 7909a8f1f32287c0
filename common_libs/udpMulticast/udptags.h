#pragma once

#include <QString>

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
    QString getBuffer() const { return QString(QLatin1Char(Key)) + QLatin1Char(':') + m_value; }

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
        return QStringLiteral("%1-%2-%3").arg(groupIndex).arg(groupTotal).arg(groupID);
    }
    QString getBuffer() const { return QLatin1String("g:") + getTag(); }

    quint16 groupIndex;
    quint16 groupTotal;
    quint16 groupID;
};

// n:<nnn>: the sender's line counter, 000 to 999, always three digits.
class UdpCounterTag {
public:
    explicit UdpCounterTag(quint16 value) : counter(value) {}

    QString getTag() const { return QString::number(counter).rightJustified(3, QLatin1Char('0')); }
    QString getBuffer() const { return QLatin1String("n:") + getTag(); }

    quint16 counter;
};
