#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>

// Describes a received datagram for a service engineer: one JSON object per line with the
// tags decoded, both checksums checked and the parser's verdict, e.g.
//   {"line":1,"lines":3,"tags":{"g":"1-3-7","s":"VD0101","n":"042"},"tagChecksumOk":true,
//    "sentence":"$VDVBW,...*hh","sentenceChecksumOk":true,"status":0,"valid":true}
// A datagram without the header, or with text after its last line end, is described by one
// object with an "error".
class DatagramReport {
public:
    static QList<QJsonObject> describe(const QByteArray& datagram);

private:
    static QJsonObject describeLine(const QString& line, int index, int total);
};
