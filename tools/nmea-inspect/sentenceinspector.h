#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// Describes one received sentence the way the unit sees it: the class it lands in, its
// address, dispatch key, parse result, every field by name (absent values as null) and the
// sentence as the class builds it anew.
namespace SentenceInspector {
// A line as read from a file or a pipe: any line ending is replaced by CR LF.
QString asSentence(const QByteArray& line);
QJsonObject describe(const QString& sentence);
} // namespace SentenceInspector
