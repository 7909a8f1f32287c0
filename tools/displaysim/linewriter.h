#pragma once

#include <QByteArray>
#include <QString>

// Puts the display's sentences on the group as one-line datagrams addressed to the unit:
//   UdPbC NUL \s:II0102,d:VD0101,n:007*hh\$PNRVIDM,1,40,II0102,00:11:22:33:44:55*hh CR LF
// The unit takes a sentence sent to everyone only from the alert manager, so every line names
// it. The line counter runs 000 to 999 and starts again.
class LineWriter {
public:
    LineWriter(QString source, QString destination);

    // A sentence "$" through CR LF, sent as it is.
    QByteArray datagram(const QString& sentence);

private:
    QString m_source;
    QString m_destination;
    quint16 m_counter = 0;
};
